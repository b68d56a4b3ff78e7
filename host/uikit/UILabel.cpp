#include "host/uikit/UILabel.h"

#include <cmath>

#include "host/foundation/String.h"
#include "host/render/Canvas.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIFont.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UILabel* label(Object* o)
{
    return static_cast<UILabel*>(o);
}

TextStyle::Alignment alignmentOf(long a)
{
    switch (a) {
    case NSTextAlignmentCenter:
        return TextStyle::Alignment::Center;
    case NSTextAlignmentRight:
        return TextStyle::Alignment::Right;
    default:
        return TextStyle::Alignment::Left;
    }
}

}

Class* UILabel::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UILabel>("UILabel", UIView::classObject());
        registerMethods(c);
        return c;
    }();
    return cls;
}

UILabel::UILabel() = default;

void UILabel::registerMethods(Class* c)
{
    using namespace rt;
    bindGetter<&UILabel::m_text>(c, "text");
    bind<&UILabel::setText>(c, "setText:");
    addMethod(
        c, sel("font"), +[](Object* s, SEL) -> Object* { return label(s)->font(); });
    addMethod(
        c, sel("setFont:"), +[](Object* s, SEL, Object* f) {
            label(s)->m_font = dynamicCast<UIFont>(f, UIFont::classObject());
            send(s, SELECTOR("invalidateIntrinsicContentSize"));
        });
    addMethod(
        c, sel("textColor"), +[](Object* s, SEL) -> Object* { return label(s)->textColor(); });
    addMethod(
        c, sel("setTextColor:"), +[](Object* s, SEL, Object* color) {
            label(s)->m_textColor = isColor(color) ? static_cast<UIColor*>(color) : nullptr;
        });
    bindProperty<&UILabel::m_textAlignment>(c, "textAlignment");
    bindGetter<&UILabel::m_numberOfLines>(c, "numberOfLines");
    addMethod(
        c, sel("setNumberOfLines:"), +[](Object* s, SEL, long n) {
            label(s)->m_numberOfLines = std::max(0L, n);
            send(s, SELECTOR("invalidateIntrinsicContentSize"));
        });
    bindProperty<&UILabel::m_lineBreakMode>(c, "lineBreakMode");
    bindProperty<&UILabel::m_preferredMaxLayoutWidth>(c, "preferredMaxLayoutWidth");
    bindProperty<&UILabel::m_enabled>(c, { "enabled", "isEnabled" });
    addMethod(
        c, sel("setAdjustsFontSizeToFitWidth:"), +[](Object*, SEL, bool) {});
    addMethod(
        c, sel("setMinimumScaleFactor:"), +[](Object*, SEL, double) {});
    addMethod(
        c, sel("setHighlightedTextColor:"), +[](Object*, SEL, Object*) {});
}

std::string UILabel::text() const
{
    return toStdString(m_text.get());
}

void UILabel::setText(Object* text)
{
    // A label shows strings only; anything else clears it rather than misleading the renderer.
    m_text = isString(text) ? text : nullptr;
    textDidChange();
}

void UILabel::textDidChange()
{
    if (!translatesAutoresizingMaskIntoConstraints() && superview())
        superview()->setNeedsLayout();
}

UIFont* UILabel::font() const
{
    return m_font ? m_font.get() : UIFont::defaultFont();
}

void UILabel::setTextColor(UIColor* color)
{
    m_textColor = color;
}

UIColor* UILabel::textColor() const
{
    return m_textColor ? m_textColor.get() : UIColor::systemColor("labelColor");
}

TextStyle UILabel::textStyle(long interfaceStyle) const
{
    TextStyle style = font()->textStyle();
    style.color = textColor()->resolved(interfaceStyle);
    if (!m_enabled)
        style.color.a *= 0.3;
    style.alignment = alignmentOf(m_textAlignment);
    style.maxLines = static_cast<int>(m_numberOfLines);
    return style;
}

CGSize UILabel::defaultSizeThatFits(CGSize size) const
{
    double limit = m_numberOfLines == 1 ? 0 : size.width;
    return measureText(text(), textStyle(1), limit);
}

CGSize UILabel::defaultIntrinsicContentSize() const
{
    double limit = m_numberOfLines == 1 ? 0 : m_preferredMaxLayoutWidth;
    return measureText(text(), textStyle(1), limit);
}

void UILabel::drawContent(Canvas& canvas, long style) const
{
    std::string content = text();
    if (content.empty())
        return;
    canvas.drawText(content, textStyle(style), bounds());
}
