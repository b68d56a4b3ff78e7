#include "host/uikit/UITextView.h"

#include "host/foundation/String.h"
#include "host/render/Canvas.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIFont.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UITextView* textView(Object* o)
{
    return static_cast<UITextView*>(o);
}

}

Class* UITextView::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UITextView>("UITextView", UIScrollView::classObject());
        registerMethods(c);
        return c;
    }();
    return cls;
}

void UITextView::registerMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("text"),
        +[](Object* s, SEL) -> Object* { return textView(s)->m_text ? textView(s)->m_text.get() : ns(""); });
    addMethod(
        c, sel("setText:"), +[](Object* s, SEL, Object* t) { textView(s)->m_text = isString(t) ? t : nullptr; });
    bindGetter<&UITextView::m_font>(c, "font");
    addMethod(
        c, sel("setFont:"),
        +[](Object* s, SEL, Object* f) { textView(s)->m_font = isKindOf(f, UIFont::classObject()) ? f : nullptr; });
    bindGetter<&UITextView::m_textColor>(c, "textColor");
    addMethod(
        c, sel("setTextColor:"),
        +[](Object* s, SEL, Object* color) { textView(s)->m_textColor = isColor(color) ? color : nullptr; });
    bindProperty<&UITextView::m_textAlignment>(c, "textAlignment");
    bindProperty<&UITextView::m_editable>(c, { "editable", "isEditable" });
}

void UITextView::drawContent(Canvas& canvas, long style) const
{
    std::string text = toStdString(m_text.get());
    if (text.empty())
        return;
    auto* font = rt::dynamicCast<UIFont>(m_font.get(), UIFont::classObject());
    TextStyle textStyle = (font ? font : UIFont::defaultFont())->textStyle();
    textStyle.maxLines = 0;
    textStyle.color = isColor(m_textColor.get()) ? static_cast<UIColor*>(m_textColor.get())->resolved(style)
                                                 : UIColor::systemColor("labelColor")->resolved(style);
    if (m_textAlignment == 1)
        textStyle.alignment = TextStyle::Alignment::Center;
    CGRect b = bounds();
    CGSize size = measureText(text, textStyle, b.width() - 10);
    canvas.drawText(text, textStyle, CGRectMake(b.minX() + 5, b.minY() + 8, b.width() - 10, size.height));
}
