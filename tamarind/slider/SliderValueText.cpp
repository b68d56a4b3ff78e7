#include "tamarind/slider/SliderValueText.h"

#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "host/foundation/String.h"
#include "tamarind/core/HostClass.h"

namespace {

constexpr long kDecimalStyle = 1;
constexpr unsigned long kRoundUp = 3; // away from zero

tamarind::HostClass numberFormatterClass("NSNumberFormatter");
tamarind::HostClass numberClass("NSNumber");

rt::Ref<rt::Object> decimalFormatter()
{
    auto formatter = rt::newObject(numberFormatterClass);
    rt::send(formatter.get(), SELECTOR("setNumberStyle:"), static_cast<unsigned long>(kDecimalStyle));
    return formatter;
}

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Reads the digits at `at` into `out`, with the grouping separator allowed before each full
// group of three digits.
void readIntegerDigits(std::string_view text, size_t& at, std::string_view grouping, std::string& out)
{
    while (at < text.size()) {
        if (isDigit(text[at])) {
            out += text[at++];
            continue;
        }
        bool group = !out.empty() && !grouping.empty() && text.substr(at).starts_with(grouping);
        size_t next = at + grouping.size();
        bool fullGroup = group && next + 3 <= text.size() && isDigit(text[next]) && isDigit(text[next + 1])
            && isDigit(text[next + 2]) && (next + 3 == text.size() || !isDigit(text[next + 3]));
        if (!fullGroup)
            return;
        at = next;
    }
}

// Reads an exponent ("e", an optional sign, digits) at `at` into `out`; nothing when incomplete.
void readExponent(std::string_view text, size_t& at, std::string& out)
{
    if (at >= text.size() || (text[at] != 'e' && text[at] != 'E'))
        return;
    size_t i = at + 1;
    std::string exponent = "e";
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        exponent += text[i++];
    if (i >= text.size() || !isDigit(text[i]))
        return;
    while (i < text.size() && isDigit(text[i]))
        exponent += text[i++];
    out += exponent;
    at = i;
}

// Whether a number whose reading overflowed or underflowed was too large rather than too small:
// the position of its first significant digit, moved by the exponent, lies above the point.
bool beyondLargest(const std::string& digits, const std::string& fraction, const std::string& number)
{
    size_t e = number.find('e');
    long exponent = e == std::string::npos ? 0 : std::strtol(number.c_str() + e + 1, nullptr, 10);
    size_t significant = digits.find_first_not_of('0');
    long position = significant != std::string::npos
        ? static_cast<long>(digits.size() - significant)
        : -static_cast<long>(std::min(fraction.find_first_not_of('0'), fraction.size()));
    return position + exponent > 0;
}

}

extern "C" rt::Object* stringFromFloatRoundedToDecimalPlaces(unsigned long places, float value)
{
    auto formatter = decimalFormatter();
    rt::send(formatter.get(), SELECTOR("setMaximumFractionDigits:"), places);
    rt::send(formatter.get(), SELECTOR("setRoundingMode:"), kRoundUp);
    rt::Object* number = rt::send<rt::Object*>(numberClass.get(), SELECTOR("numberWithFloat:"), value);
    return rt::send<rt::Object*>(formatter.get(), SELECTOR("stringFromNumber:"), number);
}

namespace tamarind {

float readTypedNumber(std::string_view text, std::string_view decimalSeparator, std::string_view groupingSeparator)
{
    size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    std::string number;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        number += text[at++];
    std::string digits;
    readIntegerDigits(text, at, groupingSeparator, digits);
    // "." is read as the decimal point too, wherever the locale does not group with it.
    std::string_view rest = text.substr(at);
    size_t point = !decimalSeparator.empty() && rest.starts_with(decimalSeparator) ? decimalSeparator.size()
        : rest.starts_with(".") && groupingSeparator != "."                        ? 1
                                                                                   : 0;
    std::string fraction;
    if (point) {
        for (at += point; at < text.size() && isDigit(text[at]); ++at)
            fraction += text[at];
    }
    if (digits.empty() && fraction.empty())
        return 0;
    number += (digits.empty() ? "0" : digits) + "." + fraction + "0";
    readExponent(text, at, number);
    double value = 0;
    auto [end, error] = std::from_chars(number.data() + (number[0] == '+'), number.data() + number.size(), value);
    bool negative = number[0] == '-';
    // Out of a double's range: far below it reads as zero, far above as the largest float.
    if (error == std::errc::result_out_of_range)
        value = beyondLargest(digits, fraction, number) ? HUGE_VAL : 0;
    if (std::fabs(value) > FLT_MAX)
        return negative ? -FLT_MAX : FLT_MAX;
    return static_cast<float>(negative ? -std::fabs(value) : std::fabs(value));
}

float sliderValueFromText(rt::Object* text)
{
    auto formatter = decimalFormatter();
    return readTypedNumber(toStdString(text),
        toStdString(rt::send<rt::Object*>(formatter.get(), SELECTOR("decimalSeparator"))),
        toStdString(rt::send<rt::Object*>(formatter.get(), SELECTOR("groupingSeparator"))));
}

}
