#pragma once

#include "host/uikit/UIScrollView.h"

class UIFont;

// UITextView: scrolling, possibly editable text, drawn from its top left inside an 8-point inset.
class UITextView final : public UIScrollView {
public:
    static rt::Class* classObject();

    void drawContent(Canvas&, long style) const override;

private:
    static void registerMethods(rt::Class*);

    rt::Ref<rt::Object> m_text;
    rt::Ref<rt::Object> m_font;
    rt::Ref<rt::Object> m_textColor;
    long m_textAlignment { 4 };
    bool m_editable { true };
};
