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

    rt::Ref<rt::Object> m_text;
    rt::Ref<rt::Object> m_placeholder;
    rt::Ref<UIFont> m_font;
    rt::Ref<rt::Object> m_textColor;
    rt::Ref<rt::Object> m_inputAccessoryView;
    long m_keyboardType { 0 };
    long m_textAlignment { 4 };
    long m_borderStyle { 0 };
    rt::Weak<rt::Object> m_delegate;
    // Where text starts inside the field (a search field leaves room for its magnifier).
    double m_textInset { 0 };
};
