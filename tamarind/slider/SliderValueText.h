#pragma once

#include <string_view>

#include "host/runtime/Object.h"

// The numbers of the slider value alert, shown and read back in the user's own region format.

// The value as a decimal number of the user's locale with at most `places` fraction digits (no
// trailing zeros), rounded away from zero: 3.14159 gives "3.15" at two places, 2.1 gives "3" at
// none; in de_DE 42.5 reads "42,5". Autoreleased. Exported under its plain name, as a client that
// looks it up by name expects.
extern "C" rt::Object* stringFromFloatRoundedToDecimalPlaces(unsigned long places, float value);

namespace tamarind {

// The number a person typed, read as the locale wrote it: leading white space, an optional sign,
// digits in which the grouping separator may stand before each full group of three, the decimal
// separator (or "." where the locale does not use "." for grouping), more digits and an optional
// exponent. Reading stops at the first character that does not fit, and a text without a leading
// number reads as 0, as floatValue does. A number beyond a float's range reads as the largest
// float of its sign, so the stored preference is always a finite number.
float readTypedNumber(std::string_view text, std::string_view decimalSeparator, std::string_view groupingSeparator);

// readTypedNumber with the separators of the user's locale (the number formatter's).
float sliderValueFromText(rt::Object* text);

}
