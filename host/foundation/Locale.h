#pragma once

#include <string>

#include "host/runtime/Runtime.h"

// NSLocale: the user's region format, as far as numbers need it. The current locale is the
// device's ("locale" in device.json, en_US by default). Conventions are known for the common
// languages and regions; an unknown region takes its language's, and an unknown language takes
// en_US's, so every identifier names usable separators.
struct NumberConventions {
    std::string decimalSeparator;
    std::string groupingSeparator;
    // Digits the integer part needs before it is grouped at all: 1 groups 1234 as "1,234"; Spanish
    // (2) leaves "1234" and groups "12.345".
    int minimumGroupingDigits { 1 };
};

NumberConventions numberConventionsFor(const std::string& localeIdentifier);

class NSLocale final : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<NSLocale> create(const std::string& identifier);
    // The device's locale.
    static NSLocale* current();

    const std::string& identifier() const { return m_identifier; }
    const NumberConventions& numbers() const { return m_numbers; }

private:
    std::string m_identifier;
    NumberConventions m_numbers;
};
