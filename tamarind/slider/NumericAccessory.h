#pragma once

#include "host/runtime/Runtime.h"

// The NumericAccessory category of UITextField: a keyboard accessory bar whose "+/-" button
// changes the sign of the field's text, for keyboards (such as the decimal pad) that have no
// minus key. Main thread.

namespace tamarind {

// Adds the category's methods to UITextField; done once when the library loads.
void registerNumericAccessory();

// addNumericAccessory: installs a toolbar as the field's input accessory view, holding the
// "+/-" button and a flexible space when `withSignButton` is on, and nothing otherwise.
void addNumericAccessory(rt::Object* self, rt::SEL, bool withSignButton);

// plusMinusPressed: "12" becomes "-12", "-12" becomes "12" and "" becomes "-"; a field without
// text is left alone.
void plusMinusPressed(rt::Object* self, rt::SEL);

}
