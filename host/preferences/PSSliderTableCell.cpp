#include "host/preferences/PSSliderTableCell.h"

#include "host/foundation/Number.h"
#include "host/foundation/String.h"
#include "host/preferences/PSSegmentableSlider.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UISlider.h"

using rt::Object;
using rt::SEL;

namespace {

constexpr double kSideMargin = 16;

PSSliderTableCell* sliderCell(Object* o)
{
    return static_cast<PSSliderTableCell*>(o);
}

float numberProperty(Object* specifier, const char* key, float fallback)
{
    Object* value = rt::send<Object*>(specifier, SELECTOR("propertyForKey:"), ns(key));
    return isNumber(value) || isString(value) ? rt::send<float>(value, SELECTOR("floatValue")) : fallback;
}

UISlider* sliderOf(PSSliderTableCell* c)
{
    if (!rt::isKindOf(c->control(), UISlider::classObject())) {
        auto slider = UIView::create(PSSliderTableCell::sliderClass(), CGRectMake(0, 0, 100, 31));
        static_cast<UISlider*>(slider.get())->addTarget(c, rt::sel("controlChanged:"), UIControlEventValueChanged);
        c->contentView()->addSubview(slider.get());
        c->setControl(slider.get());
    }
    return static_cast<UISlider*>(c->control());
}

// The row's value as its getter answers it, or its "value" property, or its "default".
float sliderValue(Object* specifier, float fallback)
{
    static const rt::CallSite performGetter { "performGetter" };
    Object* value = rt::send<Object*>(specifier, performGetter);
    if (!isNumber(value) && !isString(value))
        value = rt::send<Object*>(specifier, SELECTOR("propertyForKey:"), ns("value"));
    if (!isNumber(value) && !isString(value))
        value = rt::send<Object*>(specifier, SELECTOR("propertyForKey:"), ns("default"));
    return isNumber(value) || isString(value) ? rt::send<float>(value, SELECTOR("floatValue")) : fallback;
}

void refreshSliderContents(Object* self, SEL, Object* specifier)
{
    rt::sendSuper(self, PSSliderTableCell::classObject(), SELECTOR("refreshCellContentsWithSpecifier:"), specifier);
    if (!specifier)
        return;
    rt::AutoreleasePool pool;
    auto* c = sliderCell(self);
    UISlider* slider = sliderOf(c);
    // The range first, so that the value is held inside the row's range and not the old one.
    slider->setRange(numberProperty(specifier, "min", 0), numberProperty(specifier, "max", 1));
    rt::send(slider, SELECTOR("setValue:animated:"), sliderValue(specifier, slider->minimumValue()), false);
    Object* showValue = rt::send<Object*>(specifier, SELECTOR("propertyForKey:"), ns("showValue"));
    rt::send(slider, SELECTOR("setShowValue:"), isNumber(showValue) && rt::send<bool>(showValue, SELECTOR("boolValue")));
    // The slider is the row: it has no title beside it, and a tap does not select it.
    c->textLabel()->setText(nullptr);
    c->setSelectionStyle(0);
    c->setNeedsLayout();
}

void layoutSliderCell(Object* self, SEL)
{
    rt::sendSuper(self, PSSliderTableCell::classObject(), SELECTOR("layoutSubviews"));
    auto* c = sliderCell(self);
    auto* slider = rt::dynamicCast<UISlider>(c->control(), UISlider::classObject());
    if (!slider || slider->superview() != c->contentView())
        return;
    CGRect content = c->contentView()->bounds();
    rt::send(slider, SELECTOR("setFrame:"),
        CGRectMake(kSideMargin, (content.height() - 31) / 2, std::max(0.0, content.width() - 2 * kSideMargin), 31));
}

}

rt::Class* PSSliderTableCell::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<PSSliderTableCell>("PSSliderTableCell", PSTableCell::classObject());
        rt::addMethod(c, rt::sel("refreshCellContentsWithSpecifier:"), &refreshSliderContents);
        rt::addMethod(c, rt::sel("layoutSubviews"), &layoutSliderCell);
        return c;
    }();
    return cls;
}

rt::Class* PSSliderTableCell::sliderClass()
{
    return PSSegmentableSlider::classObject();
}
