#include <cfloat>
#include <gtest/gtest.h>
#include <string>

#include "host/foundation/String.h"
#include "host/uikit/UIBarButtonItem.h"
#include "host/uikit/UITextField.h"
#include "host/uikit/UIToolbar.h"
#include "tamarind/slider/SliderValueText.h"

using tamarind::readTypedNumber;

// Without a device the locale is en_US.
TEST(SliderValueText, ShownWithAtMostTheGivenPlacesRoundedAwayFromZero)
{
    struct Case {
        unsigned long places;
        float value;
        const char* text;
    } cases[] = { { 2, 0.5f, "0.5" }, { 2, 1, "1" }, { 2, 3.14159f, "3.15" }, { 2, -3.14159f, "-3.15" },
        { 0, 2.1f, "3" }, { 2, 1.005f, "1.01" }, { 2, 0.1f, "0.1" }, { 2, 42.5f, "42.5" }, { 2, 1234.5f, "1,234.5" },
        { 2, -0.001f, "-0.01" } };
    for (auto c : cases) {
        rt::AutoreleasePool pool;
        EXPECT_EQ(toStdString(stringFromFloatRoundedToDecimalPlaces(c.places, c.value)), c.text) << c.value;
    }
}

TEST(SliderValueText, TypedTextsReadAsTheirLocaleWritesThem)
{
    struct Case {
        const char* decimal;
        const char* grouping;
        const char* text;
        float value;
    } cases[] = {
        { ".", ",", "42.5", 42.5f },
        { ".", ",", "  -12", -12 },
        { ".", ",", "+3", 3 },
        { ".", ",", ".5", 0.5f },
        { ".", ",", "5.", 5 },
        { ".", ",", "1,234,567.25", 1234567.25f },
        // A separator that does not stand before a full group of three ends the number.
        { ".", ",", "12,5", 12 },
        { ".", ",", "1,2345", 1 },
        { ".", ",", "1,234x", 1234 },
        { ".", ",", "1e3", 1000 },
        { ".", ",", "2e", 2 },
        { ".", ",", "12abc", 12 },
        // Texts without a leading number read as zero.
        { ".", ",", "", 0 },
        { ".", ",", "-", 0 },
        { ".", ",", ".", 0 },
        { ".", ",", "abc", 0 },
        { ".", ",", ",5", 0 },
        { ",", ".", "42,5", 42.5f },
        { ",", ".", "1.234,5", 1234.5f },
        { ",", ".", "-0,75", -0.75f },
        // Where "." groups, it is no decimal point; where it does not, it is one.
        { ",", ".", "12.5", 12 },
        { ",", "\u202F", "1\u202F234,5", 1234.5f },
        { ",", "\u202F", "12.5", 12.5f },
        // Numbers beyond a float's range are held at its largest; far below it they are zero.
        { ".", ",", "1e39", FLT_MAX },
        { ".", ",", "-1e400", -FLT_MAX },
        { ".", ",", "1e-400", 0 },
        { ".", ",", "99999999999999999999999999999999999999999", FLT_MAX },
        { ".", ",", "0.0000000000000000000000000000000000000000000000000001e-400", 0 },
    };
    for (auto c : cases)
        EXPECT_EQ(readTypedNumber(c.text, c.decimal, c.grouping), c.value) << "\"" << c.text << "\"";
}

TEST(NumericAccessory, SignKeyTogglesTheLeadingMinus)
{
    struct Case {
        const char* before;
        const char* after;
    } cases[]
        = { { "12", "-12" }, { "-12", "12" }, { "", "-" }, { "-", "" }, { "1,234.5", "-1,234.5" }, { "--3", "-3" } };
    for (auto c : cases) {
        rt::AutoreleasePool pool;
        auto field = UIView::create(UITextField::classObject());
        rt::send(field.get(), SELECTOR("setText:"), ns(c.before));
        rt::send(field.get(), SELECTOR("plusMinusPressed"));
        EXPECT_EQ(static_cast<UITextField*>(field.get())->text(), c.after) << c.before;
    }
}

TEST(NumericAccessory, BarHoldsTheSignButtonOnlyWhenAsked)
{
    rt::AutoreleasePool pool;
    for (bool withSign : { true, false }) {
        auto view = UIView::create(UITextField::classObject());
        auto* field = static_cast<UITextField*>(view.get());
        rt::send(field, SELECTOR("addNumericAccessory:"), withSign);
        auto* bar = rt::dynamicCast<UIToolbar>(field->inputAccessoryView(), UIToolbar::classObject());
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->barStyle(), 0);
        EXPECT_EQ(bar->frame().height(), 44);
        ASSERT_EQ(bar->items().size(), withSign ? 2u : 0u);
        if (!withSign)
            continue;
        auto* sign = static_cast<UIBarButtonItem*>(bar->items()[0].get());
        EXPECT_EQ(toStdString(sign->title()), "+/-");
        EXPECT_EQ(sign->style(), 0);
        EXPECT_EQ(static_cast<UIBarButtonItem*>(bar->items()[1].get())->systemItem(), UIBarButtonItem::kFlexibleSpace);
        // Pressing it reaches the field.
        rt::send(field, SELECTOR("setText:"), ns("7"));
        sign->performAction();
        EXPECT_EQ(field->text(), "-7");
    }
}
