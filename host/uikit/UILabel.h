#pragma once

#include <string>

#include "host/render/TextStyle.h"
#include "host/uikit/UIFont.h"
#include "host/uikit/UIView.h"

class UIFont;

enum NSTextAlignment : long {
    NSTextAlignmentLeft = 0,
    NSTextAlignmentCenter = 1,
    NSTextAlignmentRight = 2,
    NSTextAlignmentJustified = 3,
    NSTextAlignmentNatural = 4,
};

// UILabel: one or more lines of text in a font and colour. Measured and drawn with the same text
// layout, so sizeToFit and what the renderer shows agree.
class UILabel : public UIView {
public:
    static rt::Class* classObject();

    UILabel();

    std::string text() const;
    void setText(rt::Object*);
    UIFont* font() const;
    UIColor* textColor() const;
    TextStyle textStyle(long interfaceStyle) const;

    CGSize defaultSizeThatFits(CGSize) const override;
    CGSize defaultIntrinsicContentSize() const override;
    void drawContent(Canvas&, long style) const override;

    rt::Object* textObject() const { return m_text.get(); }
    long textAlignment() const { return m_textAlignment; }

    // The host sets up its own labels with these. Unlike the messages, they neither lay the label
    // out again nor check what they are given.
    void setFont(UIFont* font) { m_font = font; }
    void setTextColor(UIColor*);
    void setTextAlignment(long alignment) { m_textAlignment = alignment; }
    void setNumberOfLines(long lines) { m_numberOfLines = lines; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

private:
    static void registerMethods(rt::Class*);
    void textDidChange();

    rt::Ref<rt::Object> m_text;
    rt::Ref<UIFont> m_font;
    rt::Ref<UIColor> m_textColor;
    long m_textAlignment { NSTextAlignmentNatural };
    long m_numberOfLines { 1 };
    long m_lineBreakMode { 4 };
    double m_preferredMaxLayoutWidth { 0 };
    bool m_enabled { true };
};
