#pragma once

#include <string>

#include "host/uikit/UIView.h"

class UITextField;

// The on-screen keyboard of the field that has the focus, drawn at the bottom of its window with
// the field's input accessory view (a toolbar, say) on top of it. The keys are those of the
// field's keyboard type: a decimal pad shows the digits and the locale's decimal separator.
class UIKeyboard final : public UIView {
public:
    static rt::Class* classObject();

    // Shows the keyboard for the field in the field's window, in place of any shown before.
    static void show(UITextField*);
    static void hide();

    void drawContent(Canvas&, long style) const override;

private:
    long m_keyboardType { 0 };
    std::string m_decimalSeparator { "." };
};
