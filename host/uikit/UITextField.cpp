#include "host/uikit/UITextField.h"

#include "host/foundation/String.h"
#include "host/render/Canvas.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIFont.h"
#include "host/uikit/UIKeyboard.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UITextField* field(Object* o)
{
    return static_cast<UITextField*>(o);
}

// The one field with the keyboard focus; held weakly, so a field that dies gives the focus up.
// Never destroyed, so that no weak slot is cleared after the runtime has gone at exit.
rt::Weak<rt::Object>& focus()
{
    static auto* focused = new rt::Weak<rt::Object>;
    return *focused;
}

// Text typed or deleted tells the field's targets that editing changed, as setText: does.
void replaceText(Object* s, const std::string& text)
{
    rt::send(s, SELECTOR("setText:"), ns(text));
}

void registerFocus(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("canBecomeFirstResponder"), +[](Object*, SEL) { return true; });
    addMethod(
        c, sel("becomeFirstResponder"), +[](Object* s, SEL) {
            if (!field(s)->window() || !field(s)->isEnabled())
                return false;
            focus() = s;
            UIKeyboard::show(field(s));
            return true;
        });
    addMethod(
        c, sel("resignFirstResponder"), +[](Object* s, SEL) {
            if (focus().load().get() == s) {
                focus() = nullptr;
                UIKeyboard::hide();
            }
            return true;
        });
    addMethod(
        c, sel("isFirstResponder"), +[](Object* s, SEL) { return UITextField::focused() == s; });
    addMethod(
        c, sel("hasText"), +[](Object* s, SEL) { return !field(s)->text().empty(); });
    addMethod(
        c, sel("insertText:"), +[](Object* s, SEL, Object* typed) {
            if (isString(typed))
                replaceText(s, field(s)->text() + toStdString(typed));
        });
    addMethod(
        c, sel("deleteBackward"), +[](Object* s, SEL) {
            std::string text = field(s)->text();
            if (text.empty())
                return;
            // One character, not one byte: continuation bytes of UTF-8 go with their lead byte.
            size_t end = text.size() - 1;
            while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
                --end;
            replaceText(s, text.substr(0, end));
        });
}

}

Class* UITextField::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UITextField>("UITextField", UIControl::classObject());
        registerMethods(c);
        return c;
    }();
    return cls;
}

UITextField* UITextField::focused()
{
    auto held = focus().load();
    auto* f = static_cast<UITextField*>(held.get());
    // A field taken out of its window has lost the keyboard with it.
    return f && f->window() ? f : nullptr;
}

std::string UITextField::text() const
{
    return toStdString(m_text.get());
}

CGSize UITextField::defaultIntrinsicContentSize() const
{
    TextStyle style = (m_font ? m_font.get() : UIFont::defaultFont())->textStyle();
    CGSize size = measureText(text().empty() ? toStdString(m_placeholder.get()) : text(), style, 0);
    return { size.width + m_textInset, std::max(size.height, 22.0) };
}

void UITextField::drawContent(Canvas& canvas, long style) const
{
    std::string shown = text();
    bool placeholder = shown.empty();
    if (placeholder)
        shown = toStdString(m_placeholder.get());
    if (shown.empty())
        return;
    TextStyle textStyle = (m_font ? m_font.get() : UIFont::defaultFont())->textStyle();
    UIColor* color = placeholder     ? UIColor::systemColor("placeholderTextColor")
        : isColor(m_textColor.get()) ? static_cast<UIColor*>(m_textColor.get())
                                     : UIColor::systemColor("labelColor");
    textStyle.color = color->resolved(style);
    if (m_textAlignment == 1)
        textStyle.alignment = TextStyle::Alignment::Center;
    else if (m_textAlignment == 2)
        textStyle.alignment = TextStyle::Alignment::Right;
    CGRect box = bounds();
    box.origin.x += m_textInset;
    box.size.width = std::max(0.0, box.size.width - m_textInset - 8);
    canvas.drawText(shown, textStyle, box);
}

void UITextField::registerMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("text"), +[](Object* s, SEL) -> Object* { return field(s)->m_text ? field(s)->m_text.get() : ns(""); });
    addMethod(
        c, sel("setText:"), +[](Object* s, SEL, Object* t) {
            field(s)->m_text = isString(t) ? t : nullptr;
            field(s)->sendActionsForControlEvents(1 << 17);
        });
    bindGetter<&UITextField::m_placeholder>(c, "placeholder");
    addMethod(
        c, sel("setPlaceholder:"),
        +[](Object* s, SEL, Object* t) { field(s)->m_placeholder = isString(t) ? t : nullptr; });
    addMethod(
        c, sel("font"),
        +[](Object* s, SEL) -> Object* { return field(s)->m_font ? field(s)->m_font.get() : UIFont::defaultFont(); });
    addMethod(
        c, sel("setFont:"),
        +[](Object* s, SEL, Object* f) { field(s)->m_font = dynamicCast<UIFont>(f, UIFont::classObject()); });
    bindProperty<&UITextField::m_textColor>(c, "textColor");
    bindProperty<&UITextField::m_keyboardType>(c, "keyboardType");
    bindProperty<&UITextField::m_textAlignment>(c, "textAlignment");
    bindProperty<&UITextField::m_borderStyle>(c, "borderStyle");
    bindProperty<&UITextField::m_inputAccessoryView>(c, "inputAccessoryView");
    bindProperty<&UITextField::m_delegate>(c, "delegate");
    addMethod(
        c, sel("setClearButtonMode:"), +[](Object*, SEL, long) {});
    addMethod(
        c, sel("setAutocorrectionType:"), +[](Object*, SEL, long) {});
    addMethod(
        c, sel("setReturnKeyType:"), +[](Object*, SEL, long) {});
    addMethod(
        c, sel("setSecureTextEntry:"), +[](Object*, SEL, bool) {});
    registerFocus(c);
}
