#pragma once

#include <string>

#include "host/runtime/Runtime.h"

class NSLocale;

// NSNumberFormatter in its no-style (0) and decimal (1) styles: a number as a person of the
// formatter's locale reads it, rounded to the maximum fraction digits by the rounding mode, with
// trailing zeros dropped down to the minimum, and the integer part grouped in threes.
//
// A number is rounded from its shortest decimal form: the shortest text that reads back as the
// same value, in the number's own precision. A number made from a float is rounded from the
// float's form, so 0.1f rounds up to 0.1 at two places and not to 0.11, which its exact binary
// value (0.100000001490116...) would give.
class NSNumberFormatter final : public rt::Object {
public:
    enum Style : unsigned long { NoStyle = 0, DecimalStyle = 1 };
    enum RoundingMode : unsigned long {
        RoundCeiling = 0,
        RoundFloor = 1,
        RoundDown = 2,
        RoundUp = 3,
        RoundHalfEven = 4,
        RoundHalfDown = 5,
        RoundHalfUp = 6
    };

    static rt::Class* classObject();

    void setStyle(unsigned long);
    std::string decimalSeparator() const;
    std::string groupingSeparator() const;
    // The text of a decimal form such as "-1234.5" or "3.4028235e+38", formatted by this
    // formatter's settings.
    std::string formatDecimal(const std::string& shortestForm) const;
    std::string format(rt::Object* number) const;

private:
    static void registerMethods(rt::Class*);

    unsigned long m_style { NoStyle };
    unsigned long m_minimumFractionDigits { 0 };
    unsigned long m_maximumFractionDigits { 0 };
    unsigned long m_roundingMode { RoundHalfEven };
    bool m_usesGroupingSeparator { false };
    rt::Ref<NSLocale> m_locale;
    std::string m_decimalSeparator; // empty: the locale's
    std::string m_groupingSeparator; // empty: the locale's
};
