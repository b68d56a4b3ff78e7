#include "host/preferences/PSSegmentableSlider.h"

#include <cstdio>

#include "host/foundation/String.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIFont.h"
#include "host/uikit/UILabel.h"

using rt::Object;
using rt::SEL;

namespace {

constexpr double kLabelWidth = 44;
constexpr double kLabelGap = 8;

PSSegmentableSlider* slider(Object* o)
{
    return static_cast<PSSegmentableSlider*>(o);
}

void registerPSSegmentableSliderMethods(rt::Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("setValue:"), +[](Object* s, SEL, float value) {
            sendSuper(s, PSSegmentableSlider::classObject(), SELECTOR("setValue:"), value);
            slider(s)->updateValueLabel();
        });
    bind<&PSSegmentableSlider::showsValue>(c, "showValue");
    addMethod(
        c, sel("setShowValue:"), +[](Object* s, SEL, bool show) { slider(s)->setShowsValue(show); });
    addMethod(
        c, sel("layoutSubviews"), +[](Object* s, SEL) {
            sendSuper(s, PSSegmentableSlider::classObject(), SELECTOR("layoutSubviews"));
            slider(s)->layoutValueLabel();
        });
}

}

rt::Class* PSSegmentableSlider::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<PSSegmentableSlider>("PSSegmentableSlider", UISlider::classObject());
        registerPSSegmentableSliderMethods(c);
        return c;
    }();
    return cls;
}

void PSSegmentableSlider::setShowsValue(bool show)
{
    if (show && !m_valueLabel) {
        m_valueLabel = rt::Ref<UILabel>(static_cast<UILabel*>(UIView::create(UILabel::classObject()).get()));
        m_valueLabel->setTag(kValueLabelTag);
        m_valueLabel->setFont(UIFont::create(17));
        m_valueLabel->setTextColor(UIColor::systemColor("labelColor"));
        m_valueLabel->setTextAlignment(2);
        addSubview(m_valueLabel.get());
        updateValueLabel();
    } else if (!show && m_valueLabel) {
        m_valueLabel->removeFromSuperview();
        m_valueLabel = nullptr;
    }
    setNeedsLayout();
}

// The value with one decimal, as Preferences shows it ("5.0").
void PSSegmentableSlider::updateValueLabel()
{
    if (!m_valueLabel)
        return;
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(value()));
    m_valueLabel->setText(ns(text));
    setNeedsLayout();
}

void PSSegmentableSlider::layoutValueLabel()
{
    if (!m_valueLabel || m_valueLabel->superview() != this)
        return;
    CGRect b = bounds();
    rt::send(m_valueLabel.get(), SELECTOR("setFrame:"),
        CGRectMake(std::max(0.0, b.width() - kLabelWidth), 0, std::min(kLabelWidth, b.width()), b.height()));
}

void PSSegmentableSlider::drawContent(Canvas& canvas, long style) const
{
    bool label = m_valueLabel && m_valueLabel->superview() == this;
    // The label's space is kept free wherever the label was moved to.
    drawTrack(canvas, style, bounds().width() - (label ? kLabelWidth + kLabelGap : 0));
}
