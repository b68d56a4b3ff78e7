#include <gtest/gtest.h>

#include "host/foundation/Locale.h"
#include "host/foundation/Number.h"
#include "host/foundation/NumberFormatter.h"
#include "host/foundation/String.h"

namespace {

rt::Ref<NSNumberFormatter> decimalFormatter(const char* locale, unsigned long places, unsigned long mode)
{
    auto formatter = rt::newObject<NSNumberFormatter>(NSNumberFormatter::classObject());
    rt::send(formatter.get(), SELECTOR("setNumberStyle:"), static_cast<unsigned long>(NSNumberFormatter::DecimalStyle));
    rt::send(formatter.get(), SELECTOR("setMaximumFractionDigits:"), places);
    rt::send(formatter.get(), SELECTOR("setRoundingMode:"), mode);
    rt::send(formatter.get(), SELECTOR("setLocale:"), NSLocale::create(locale).get());
    return formatter;
}

std::string format(NSNumberFormatter* formatter, rt::Ref<NSNumber> number)
{
    return toStdString(rt::send<rt::Object*>(formatter, SELECTOR("stringFromNumber:"), number.get()));
}

}

TEST(NumberFormatter, RoundingModesAtTwoPlaces)
{
    struct Case {
        const char* form;
        unsigned long mode;
        const char* text;
    } cases[] = {
        { "2.341", NSNumberFormatter::RoundUp, "2.35" },
        { "-2.341", NSNumberFormatter::RoundUp, "-2.35" },
        { "2.349", NSNumberFormatter::RoundDown, "2.34" },
        { "-2.341", NSNumberFormatter::RoundCeiling, "-2.34" },
        { "-2.341", NSNumberFormatter::RoundFloor, "-2.35" },
        { "2.345", NSNumberFormatter::RoundHalfEven, "2.34" },
        { "2.355", NSNumberFormatter::RoundHalfEven, "2.36" },
        { "2.3451", NSNumberFormatter::RoundHalfEven, "2.35" },
        { "2.345", NSNumberFormatter::RoundHalfDown, "2.34" },
        { "2.345", NSNumberFormatter::RoundHalfUp, "2.35" },
        // Carries run through the point, and trailing zeros go.
        { "9.999", NSNumberFormatter::RoundUp, "10" },
        { "0.101", NSNumberFormatter::RoundDown, "0.1" },
        // Below the last place, and exponents in the form.
        { "1e-07", NSNumberFormatter::RoundUp, "0.01" },
        { "-1e-07", NSNumberFormatter::RoundHalfUp, "0" },
        { "1.5e+3", NSNumberFormatter::RoundUp, "1,500" },
        { "3.4028235e+38", NSNumberFormatter::RoundUp, "340,282,350,000,000,000,000,000,000,000,000,000,000" },
        { "nan", NSNumberFormatter::RoundUp, "NaN" },
        { "-inf", NSNumberFormatter::RoundUp, "-\u221E" },
    };
    auto formatter = decimalFormatter("en_US", 2, 0);
    for (auto c : cases) {
        rt::send(formatter.get(), SELECTOR("setRoundingMode:"), c.mode);
        EXPECT_EQ(formatter->formatDecimal(c.form), c.text) << c.form << " mode " << c.mode;
    }
}

TEST(NumberFormatter, SeparatorsAndGroupingFollowTheLocale)
{
    struct Case {
        const char* locale;
        double value;
        const char* text;
    } cases[] = {
        { "en_US", 1234567.25, "1,234,567.25" },
        { "en_US", 999.5, "999.5" },
        { "de_DE", 1234567.25, "1.234.567,25" },
        { "de-AT", -1234.5, "-1.234,5" },
        { "fr_FR", 1234.5, "1\u202F234,5" },
        { "de_CH", 1234.5, "1\u2019234.5" },
        // Spanish leaves four-digit numbers ungrouped.
        { "es_ES", 1234.5, "1234,5" },
        { "es_ES", 12345.5, "12.345,5" },
        // An unknown region takes its language's format, an unknown language en_US's.
        { "it_XX", 1234.5, "1.234,5" },
        { "xx", 1234.5, "1,234.5" },
    };
    for (auto c : cases) {
        auto formatter = decimalFormatter(c.locale, 2, NSNumberFormatter::RoundHalfEven);
        EXPECT_EQ(format(formatter.get(), NSNumber::withDouble(c.value)), c.text) << c.locale;
    }
}

// A float is rounded from its own shortest form: 0.1f is 0.100000001490116... in binary, which
// would round up to 0.11.
TEST(NumberFormatter, FloatsRoundFromTheirOwnShortestForm)
{
    auto formatter = decimalFormatter("en_US", 2, NSNumberFormatter::RoundUp);
    EXPECT_EQ(format(formatter.get(), NSNumber::withFloat(0.1f)), "0.1");
    EXPECT_EQ(format(formatter.get(), NSNumber::withFloat(1.005f)), "1.01");
    EXPECT_EQ(format(formatter.get(), NSNumber::withDouble(static_cast<double>(0.1f))), "0.11");
    EXPECT_EQ(format(formatter.get(), NSNumber::withInteger(-42)), "-42");
}

TEST(NumberFormatter, ChoosingTheDecimalStyleResetsDigitsAndGrouping)
{
    auto formatter = rt::newObject<NSNumberFormatter>(NSNumberFormatter::classObject());
    rt::send(formatter.get(), SELECTOR("setLocale:"), NSLocale::create("en_US").get());
    EXPECT_EQ(format(formatter.get(), NSNumber::withDouble(1234.5678)), "1235");
    rt::send(formatter.get(), SELECTOR("setMaximumFractionDigits:"), 1UL);
    rt::send(formatter.get(), SELECTOR("setNumberStyle:"), static_cast<unsigned long>(NSNumberFormatter::DecimalStyle));
    EXPECT_EQ(format(formatter.get(), NSNumber::withDouble(1234.5678)), "1,234.568");
    rt::send(formatter.get(), SELECTOR("setMinimumFractionDigits:"), 5UL);
    EXPECT_EQ(format(formatter.get(), NSNumber::withDouble(1.5)), "1.50000");
    EXPECT_EQ(toStdString(rt::send<rt::Object*>(formatter.get(), SELECTOR("decimalSeparator"))), ".");
}
