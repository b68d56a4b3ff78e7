#include "host/foundation/NumberFormatter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "host/foundation/Locale.h"
#include "host/foundation/Number.h"
#include "host/foundation/String.h"
#include "host/runtime/Bind.h"

using rt::Object;
using rt::SEL;

namespace {

NSNumberFormatter* formatter(Object* o)
{
    return static_cast<NSNumberFormatter*>(o);
}

// A decimal number as digit strings: sign, integer digits and fraction digits.
struct Decimal {
    bool negative { false };
    std::string integer;
    std::string fraction;
};

// Reads a form such as "-12.5", "1e+20" or "3.4028235e+38" into plain digits.
Decimal expand(const std::string& form)
{
    Decimal d;
    size_t i = 0;
    if (i < form.size() && (form[i] == '-' || form[i] == '+'))
        d.negative = form[i++] == '-';
    std::string digits;
    long point = -1;
    for (; i < form.size() && (std::isdigit(static_cast<unsigned char>(form[i])) || form[i] == '.'); ++i) {
        if (form[i] == '.')
            point = static_cast<long>(digits.size());
        else
            digits += form[i];
    }
    if (point < 0)
        point = static_cast<long>(digits.size());
    if (i < form.size() && (form[i] == 'e' || form[i] == 'E'))
        point += std::strtol(form.c_str() + i + 1, nullptr, 10);
    if (point <= 0) {
        d.integer = "0";
        d.fraction = std::string(static_cast<size_t>(-point), '0') + digits;
    } else if (static_cast<size_t>(point) >= digits.size()) {
        d.integer = digits + std::string(static_cast<size_t>(point) - digits.size(), '0');
    } else {
        d.integer = digits.substr(0, static_cast<size_t>(point));
        d.fraction = digits.substr(static_cast<size_t>(point));
    }
    return d;
}

// Whether dropping `dropped` (the digits after the last one kept) moves the kept magnitude up.
bool roundsAway(unsigned long mode, bool negative, char lastKept, const std::string& dropped)
{
    bool anything = dropped.find_first_not_of('0') != std::string::npos;
    if (!anything)
        return false;
    char first = dropped[0];
    bool beyondHalf = first > '5' || (first == '5' && dropped.find_first_not_of('0', 1) != std::string::npos);
    bool exactlyHalf = first == '5' && !beyondHalf;
    switch (mode) {
    case NSNumberFormatter::RoundCeiling:
        return !negative;
    case NSNumberFormatter::RoundFloor:
        return negative;
    case NSNumberFormatter::RoundDown:
        return false;
    case NSNumberFormatter::RoundUp:
        return true;
    case NSNumberFormatter::RoundHalfDown:
        return beyondHalf;
    case NSNumberFormatter::RoundHalfUp:
        return beyondHalf || exactlyHalf;
    default: // half even
        return beyondHalf || (exactlyHalf && (lastKept - '0') % 2 == 1);
    }
}

// Adds one unit in the last place of integer.fraction.
void increment(Decimal& d)
{
    std::string all = d.integer + d.fraction;
    size_t i = all.size();
    while (i > 0 && all[i - 1] == '9')
        all[--i] = '0';
    if (i == 0)
        all.insert(all.begin(), '1');
    else
        ++all[i - 1];
    d.integer = all.substr(0, all.size() - d.fraction.size());
    d.fraction = all.substr(all.size() - d.fraction.size());
}

std::string grouped(const std::string& integer, const std::string& separator, int minimumGroupingDigits)
{
    if (integer.size() < 3 + static_cast<size_t>(std::max(1, minimumGroupingDigits)))
        return integer;
    std::string out;
    for (size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            out += separator;
        out += integer[i];
    }
    return out;
}

// The shortest decimal form of a number object in its own precision.
std::string shortestForm(Object* number)
{
    char text[64];
    auto* n = static_cast<NSNumber*>(number);
    std::to_chars_result result;
    if (n->kind() != NSNumber::Kind::Real)
        result = std::to_chars(text, text + sizeof text, static_cast<long long>(n->integerValue()));
    else if (n->isFloat())
        result = std::to_chars(text, text + sizeof text, static_cast<float>(n->doubleValue()));
    else
        result = std::to_chars(text, text + sizeof text, n->doubleValue());
    return std::string(text, result.ptr);
}

}

rt::Class* NSNumberFormatter::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<NSNumberFormatter>("NSNumberFormatter", rt::rootClass());
        registerMethods(c);
        return c;
    }();
    return cls;
}

void NSNumberFormatter::registerMethods(rt::Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("init"), +[](Object* s, SEL) -> Object* {
            formatter(s)->m_locale = NSLocale::current();
            return s;
        });
    bindGetter<&NSNumberFormatter::m_style>(c, "numberStyle");
    addMethod(
        c, sel("setNumberStyle:"), +[](Object* s, SEL, unsigned long style) { formatter(s)->setStyle(style); });
    bindGetter<&NSNumberFormatter::m_maximumFractionDigits>(c, "maximumFractionDigits");
    addMethod(
        c, sel("setMaximumFractionDigits:"), +[](Object* s, SEL, unsigned long n) {
            formatter(s)->m_maximumFractionDigits = n;
            formatter(s)->m_minimumFractionDigits = std::min(formatter(s)->m_minimumFractionDigits, n);
        });
    bindGetter<&NSNumberFormatter::m_minimumFractionDigits>(c, "minimumFractionDigits");
    addMethod(
        c, sel("setMinimumFractionDigits:"), +[](Object* s, SEL, unsigned long n) {
            formatter(s)->m_minimumFractionDigits = n;
            formatter(s)->m_maximumFractionDigits = std::max(formatter(s)->m_maximumFractionDigits, n);
        });
    bindGetter<&NSNumberFormatter::m_roundingMode>(c, "roundingMode");
    addMethod(
        c, sel("setRoundingMode:"), +[](Object* s, SEL, unsigned long mode) {
            if (mode <= NSNumberFormatter::RoundHalfUp)
                formatter(s)->m_roundingMode = mode;
        });
    bindProperty<&NSNumberFormatter::m_usesGroupingSeparator>(c, "usesGroupingSeparator");
    bindGetter<&NSNumberFormatter::m_locale>(c, "locale");
    addMethod(
        c, sel("setLocale:"), +[](Object* s, SEL, Object* l) {
            auto* given = rt::dynamicCast<NSLocale>(l, NSLocale::classObject());
            formatter(s)->m_locale = given ? given : NSLocale::current();
        });
    addMethod(
        c, sel("decimalSeparator"), +[](Object* s, SEL) -> Object* { return ns(formatter(s)->decimalSeparator()); });
    addMethod(
        c, sel("setDecimalSeparator:"),
        +[](Object* s, SEL, Object* t) { formatter(s)->m_decimalSeparator = toStdString(t); });
    addMethod(
        c, sel("groupingSeparator"), +[](Object* s, SEL) -> Object* { return ns(formatter(s)->groupingSeparator()); });
    addMethod(
        c, sel("setGroupingSeparator:"),
        +[](Object* s, SEL, Object* t) { formatter(s)->m_groupingSeparator = toStdString(t); });
    addMethod(
        c, sel("stringFromNumber:"), +[](Object* s, SEL, Object* number) -> Object* {
            return isNumber(number) ? ns(formatter(s)->format(number)) : nullptr;
        });
}

// Choosing a style resets the digits and grouping to the style's own, as Foundation does.
void NSNumberFormatter::setStyle(unsigned long style)
{
    m_style = style == DecimalStyle ? DecimalStyle : NoStyle;
    m_minimumFractionDigits = 0;
    m_maximumFractionDigits = m_style == DecimalStyle ? 3 : 0;
    m_usesGroupingSeparator = m_style == DecimalStyle;
}

std::string NSNumberFormatter::decimalSeparator() const
{
    if (!m_decimalSeparator.empty())
        return m_decimalSeparator;
    return (m_locale ? m_locale.get() : NSLocale::current())->numbers().decimalSeparator;
}

std::string NSNumberFormatter::groupingSeparator() const
{
    if (!m_groupingSeparator.empty())
        return m_groupingSeparator;
    return (m_locale ? m_locale.get() : NSLocale::current())->numbers().groupingSeparator;
}

std::string NSNumberFormatter::formatDecimal(const std::string& shortest) const
{
    if (shortest.find("nan") != std::string::npos)
        return "NaN";
    if (shortest.find("inf") != std::string::npos)
        return shortest[0] == '-' ? "-\u221E" : "\u221E";
    Decimal d = expand(shortest);
    if (d.fraction.size() > m_maximumFractionDigits) {
        std::string dropped = d.fraction.substr(m_maximumFractionDigits);
        d.fraction.resize(m_maximumFractionDigits);
        char lastKept = d.fraction.empty() ? d.integer.back() : d.fraction.back();
        if (roundsAway(m_roundingMode, d.negative, lastKept, dropped))
            increment(d);
    }
    while (d.fraction.size() > m_minimumFractionDigits && d.fraction.back() == '0')
        d.fraction.pop_back();
    if (d.fraction.size() < m_minimumFractionDigits)
        d.fraction.resize(m_minimumFractionDigits, '0');
    d.integer.erase(0, std::min(d.integer.find_first_not_of('0'), d.integer.size() - 1));
    bool zero = d.integer == "0" && d.fraction.find_first_not_of('0') == std::string::npos;
    // A value that rounds to zero reads as zero, without a sign.
    std::string text = d.negative && !zero ? "-" : "";
    const NSLocale* locale = m_locale ? m_locale.get() : NSLocale::current();
    text += m_usesGroupingSeparator ? grouped(d.integer, groupingSeparator(), locale->numbers().minimumGroupingDigits)
                                    : d.integer;
    if (!d.fraction.empty())
        text += decimalSeparator() + d.fraction;
    return text;
}

std::string NSNumberFormatter::format(Object* number) const
{
    return formatDecimal(shortestForm(number));
}
