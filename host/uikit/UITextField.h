#pragma once

#include <string>

#include "host/uikit/UIControl.h"
#include "host/uikit/UIFont.h"

class UIFont;

// UITextField: a single line of text with a placeholder, keyboard settings and an input
// accessory view. One field at a time has the keyboard focus (is first responder), and only
// while it is in a window; keys typed go to the end of its text (insertText:, deleteBackward).
class UITextField : public UIControl {
public:
    static rt::Class* classObject();
    // The field that has the keyboard focus, or null.
    static UITextField* focused();

    std::string text() const;
    void drawContent(Canvas&, long style) const override;
    CGSize defaultIntrinsicContentSize() const override;
    bool drawsContentAboveSubviews() const override { return true; }

    rt::Object* textObject() const { return m_text.get(); }
    rt::Object* placeholder() const { return m_placeholder.get(); }
    long keyboardType() const { return m_keyboardType; }
    UIView* inputAccessoryView() const { return m_inputAccessoryView.get(); }

    // The host sets up its own fields with these; they check nothing and tell no target.
    void setPlaceholder(rt::Object* placeholder) { m_placeholder = placeholder; }
    void setFont(UIFont* font) { m_font = font; }
    // Where text starts inside the field (a search field leaves room for its magnifier).
    void setTextInset(double inset) { m_textInset = inset; }

private:
    static void registerMethods(rt::Class*);

    rt::Ref<rt::Object> m_text;
    rt::Ref<rt::Object> m_placeholder;
    rt::Ref<UIFont> m_font;
    rt::Ref<UIColor> m_textColor;
    rt::Ref<UIView> m_inputAccessoryView;
    long m_keyboardType { 0 };
    long m_textAlignment { 4 };
    long m_borderStyle { 0 };
    rt::Weak<rt::Object> m_delegate;
    double m_textInset { 0 };
};
