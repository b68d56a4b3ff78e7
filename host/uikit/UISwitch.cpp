#include "host/uikit/UISwitch.h"

#include <algorithm>
#include <cmath>

#include "host/render/Canvas.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UIColor.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UISwitch* toggle(Object* o)
{
    return static_cast<UISwitch*>(o);
}
UISlider* slider(Object* o)
{
    return static_cast<UISlider*>(o);
}

rt::Ref<Object> colorOrNull(Object* c)
{
    return isColor(c) ? rt::Ref<Object>(c) : nullptr;
}

RGBAColor colorOr(Object* c, const char* fallback, long style)
{
    if (auto* color = rt::dynamicCast<UIColor>(c, UIColor::classObject()))
        return color->resolved(style);
    return UIColor::systemColor(fallback)->resolved(style);
}

// A white thumb with the soft shadow UIKit gives it.
void drawThumb(Canvas& canvas, CGRect r, RGBAColor color)
{
    CGRect shadow = r;
    shadow.origin.y += 1.5;
    canvas.fill(
        Path::ellipse(CGRectMake(shadow.minX() - 0.5, shadow.minY() - 0.5, shadow.width() + 1, shadow.height() + 1)),
        { 0, 0, 0, 0.08 });
    canvas.fill(Path::ellipse(shadow), { 0, 0, 0, 0.1 });
    canvas.fill(Path::ellipse(r), color);
}

void registerSwitch(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithFrame:"), +[](Object* s, SEL, CGRect f) -> Object* {
            s = sendSuper<Object*>(
                s, UISwitch::classObject(), SELECTOR("initWithFrame:"), CGRect { f.origin, { 51, 31 } });
            return s;
        });
    bind<&UISwitch::isOn>(c, "isOn");
    bind<&UISwitch::setOn>(c, "setOn:");
    addMethod(
        c, sel("setOn:animated:"), +[](Object* s, SEL, bool on, bool) { send(s, SELECTOR("setOn:"), on); });
    addMethod(
        c, sel("onTintColor"), +[](Object* s, SEL) -> Object* { return toggle(s)->m_onTintColor.get(); });
    addMethod(
        c, sel("setOnTintColor:"),
        +[](Object* s, SEL, Object* color) { toggle(s)->m_onTintColor = colorOrNull(color); });
    addMethod(
        c, sel("thumbTintColor"), +[](Object* s, SEL) -> Object* { return toggle(s)->m_thumbTintColor.get(); });
    addMethod(
        c, sel("setThumbTintColor:"),
        +[](Object* s, SEL, Object* color) { toggle(s)->m_thumbTintColor = colorOrNull(color); });
}

void registerSlider(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("value"), +[](Object* s, SEL) { return slider(s)->m_value; });
    addMethod(
        c, sel("setValue:"), +[](Object* s, SEL, float v) { slider(s)->setValue(v); });
    addMethod(
        c, sel("setValue:animated:"), +[](Object* s, SEL, float v, bool) { send(s, SELECTOR("setValue:"), v); });
    addMethod(
        c, sel("minimumValue"), +[](Object* s, SEL) { return slider(s)->m_minimum; });
    addMethod(
        c, sel("setMinimumValue:"), +[](Object* s, SEL, float v) {
            if (std::isfinite(v)) {
                slider(s)->m_minimum = v;
                slider(s)->m_maximum = std::max(slider(s)->m_maximum, v);
                slider(s)->setValue(slider(s)->m_value);
            }
        });
    addMethod(
        c, sel("maximumValue"), +[](Object* s, SEL) { return slider(s)->m_maximum; });
    addMethod(
        c, sel("setMaximumValue:"), +[](Object* s, SEL, float v) {
            if (std::isfinite(v)) {
                slider(s)->m_maximum = v;
                slider(s)->m_minimum = std::min(slider(s)->m_minimum, v);
                slider(s)->setValue(slider(s)->m_value);
            }
        });
    addMethod(
        c, sel("isContinuous"), +[](Object* s, SEL) { return slider(s)->m_continuous; });
    addMethod(
        c, sel("setContinuous:"), +[](Object* s, SEL, bool v) { slider(s)->m_continuous = v; });
    addMethod(
        c, sel("setMinimumTrackTintColor:"),
        +[](Object* s, SEL, Object* color) { slider(s)->m_minimumTrackTintColor = colorOrNull(color); });
    addMethod(
        c, sel("minimumTrackTintColor"),
        +[](Object* s, SEL) -> Object* { return slider(s)->m_minimumTrackTintColor.get(); });
    addMethod(
        c, sel("setMaximumTrackTintColor:"),
        +[](Object* s, SEL, Object* color) { slider(s)->m_maximumTrackTintColor = colorOrNull(color); });
    addMethod(
        c, sel("maximumTrackTintColor"),
        +[](Object* s, SEL) -> Object* { return slider(s)->m_maximumTrackTintColor.get(); });
    addMethod(
        c, sel("setThumbTintColor:"),
        +[](Object* s, SEL, Object* color) { slider(s)->m_thumbTintColor = colorOrNull(color); });
    addMethod(
        c, sel("thumbTintColor"), +[](Object* s, SEL) -> Object* { return slider(s)->m_thumbTintColor.get(); });
}

}

Class* UISwitch::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UISwitch>("UISwitch", UIControl::classObject());
        registerSwitch(c);
        return c;
    }();
    return cls;
}

void UISwitch::simulateTap()
{
    if (!m_enabled || isHidden())
        return;
    rt::Ref<UISwitch> keep(this);
    rt::send(this, SELECTOR("setOn:animated:"), !m_on, true);
    sendActionsForControlEvents(UIControlEventValueChanged | UIControlEventPrimaryActionTriggered);
}

void UISwitch::drawContent(Canvas& canvas, long style) const
{
    CGRect track = CGRectMake(0, 0, 51, 31);
    RGBAColor fill = m_on ? colorOr(m_onTintColor.get(), "systemGreenColor", style)
                          : UIColor::systemColor("secondarySystemFillColor")->resolved(style);
    canvas.fill(Path::roundedRect(track, 15.5), fill);
    CGRect thumb = CGRectMake(m_on ? 22 : 2, 2, 27, 27);
    drawThumb(canvas, thumb, colorOr(m_thumbTintColor.get(), "whiteColor", style));
}

Class* UISlider::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UISlider>("UISlider", UIControl::classObject());
        registerSlider(c);
        return c;
    }();
    return cls;
}

void UISlider::setValue(float v)
{
    if (!std::isfinite(v))
        return;
    // Out-of-range values show at the nearest end, as UISlider clamps them.
    m_value = std::clamp(v, m_minimum, m_maximum);
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
        colorOr(m_maximumTrackTintColor.get(), "systemFillColor", style));
    RGBAColor minimum = isColor(m_minimumTrackTintColor.get())
        ? static_cast<UIColor*>(m_minimumTrackTintColor.get())->resolved(style)
        : tintColor()->resolved(style);
    canvas.fill(Path::roundedRect(CGRectMake(0, trackY, x + thumb / 2, 4), 2), minimum);
    drawThumb(canvas, CGRectMake(x, b.height() / 2 - thumb / 2, thumb, thumb),
        colorOr(m_thumbTintColor.get(), "whiteColor", style));
}
