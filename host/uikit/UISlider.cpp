#include "host/uikit/UISlider.h"

#include <algorithm>
#include <cmath>

#include "host/render/Canvas.h"
#include "host/runtime/Bind.h"
#include "host/uikit/ControlDrawing.h"
#include "host/uikit/UIColor.h"

using rt::Class;
using rt::Object;
using rt::SEL;

Class* UISlider::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UISlider>("UISlider", UIControl::classObject());
        registerMethods(c);
        return c;
    }();
    return cls;
}

void UISlider::registerMethods(Class* c)
{
    using namespace rt;
    bind<&UISlider::value>(c, "value");
    bind<&UISlider::setValue>(c, "setValue:");
    addMethod(
        c, sel("setValue:animated:"), +[](Object* s, SEL, float v, bool) { send(s, SELECTOR("setValue:"), v); });
    bind<&UISlider::minimumValue>(c, "minimumValue");
    bind<&UISlider::setMinimumValue>(c, "setMinimumValue:");
    bind<&UISlider::maximumValue>(c, "maximumValue");
    bind<&UISlider::setMaximumValue>(c, "setMaximumValue:");
    bindProperty<&UISlider::m_continuous>(c, { "continuous", "isContinuous" });
    bindProperty<&UISlider::m_minimumTrackTintColor>(c, "minimumTrackTintColor");
    bindProperty<&UISlider::m_maximumTrackTintColor>(c, "maximumTrackTintColor");
    bindProperty<&UISlider::m_thumbTintColor>(c, "thumbTintColor");
}

void UISlider::setValue(float v)
{
    if (!std::isfinite(v))
        return;
    m_value = std::clamp(v, m_minimum, m_maximum);
}

void UISlider::setRange(float minimum, float maximum)
{
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
}

void UISlider::setMinimumValue(float v)
{
    if (!std::isfinite(v))
        return;
    m_minimum = v;
    m_maximum = std::max(m_maximum, v);
    setValue(m_value);
}

void UISlider::setMaximumValue(float v)
{
    if (!std::isfinite(v))
        return;
    m_maximum = v;
    m_minimum = std::min(m_minimum, v);
    setValue(m_value);
}

void UISlider::drawContent(Canvas& canvas, long style) const
{
    drawTrack(canvas, style, bounds().width());
}

void UISlider::drawTrack(Canvas& canvas, long style, double width) const
{
    CGRect b = bounds();
    b.size.width = std::max(0.0, width);
    double thumb = 28;
    double span = m_maximum > m_minimum ? (m_value - m_minimum) / (m_maximum - m_minimum) : 0;
    double x = (b.width() - thumb) * span;
    double trackY = b.height() / 2 - 2;
    canvas.fill(Path::roundedRect(CGRectMake(0, trackY, b.width(), 4), 2),
        resolvedOrSystemColor(m_maximumTrackTintColor.get(), "systemFillColor", style));
    RGBAColor minimum = m_minimumTrackTintColor ? m_minimumTrackTintColor->resolved(style) : tintColor()->resolved(style);
    canvas.fill(Path::roundedRect(CGRectMake(0, trackY, x + thumb / 2, 4), 2), minimum);
    drawControlThumb(canvas, CGRectMake(x, b.height() / 2 - thumb / 2, thumb, thumb),
        resolvedOrSystemColor(m_thumbTintColor.get(), "whiteColor", style));
}
