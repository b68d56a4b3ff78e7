#include <gtest/gtest.h>

#include "SimHarness.h"

using nlohmann::json;

// Typing a slider's value through the alert a double tap opens, on the Quick Notes pane's
// opacity slider (0 to 100, 42.5 by default, stored as "opacity" in com.example.quicknotes).

namespace {

constexpr const char* kQuickNotesDomain = "/var/mobile/Library/Preferences/com.example.quicknotes.plist";
const json kEntryOn = { { "isManualSliderAdjustment", true } };

json rowOf(const json& page, const std::string& id)
{
    for (const auto& section : page["sections"])
        for (const auto& row : section["rows"])
            if (row["id"] == id)
                return row;
    ADD_FAILURE() << "no row " << id << " on page " << page["page"];
    return json::object();
}

double sliderValue(const json& page)
{
    return rowOf(page, "NOTE_OPACITY")["cell"]["slider"]["value"];
}
json stored(const json& page)
{
    return rowOf(page, "NOTE_OPACITY")["preference"]["stored"];
}
json field(const json& page)
{
    return page["alert"]["textFields"][0];
}

// Runs the steps after opening the pane and double-tapping its slider; returns every dump.
std::vector<json> afterDoubleTap(TestDevice& device, const json& prefs, const std::string& steps)
{
    return scriptDumps(device, prefs, "open quick-notes\ndouble-tap NOTE_OPACITY\n" + steps);
}

// A pane whose slider runs from 0 to 10,000 and stands at 1234.5, so its texts have groups.
void useWideSlider(TestDevice& device)
{
    json slider = { { "cell", "PSSliderCell" }, { "id", "NOTE_OPACITY" }, { "label", "Width" }, { "min", 0.0 },
        { "max", 10000.0 }, { "default", 1234.5 }, { "defaults", "com.example.quicknotes" }, { "key", "opacity" } };
    device.writePlist("/var/jb/Library/PreferenceLoader/Preferences/QuickNotes.plist",
        { { "entry", { { "cell", "PSLinkCell" }, { "label", "Quick Notes" } } },
            { "items", json::array({ { { "cell", "PSGroupCell" }, { "label", "Width" } }, slider }) } });
}

}

TEST(SliderEntry, DoubleTapShowsTheRangeAndTheValueReadyToEdit)
{
    TestDevice device;
    auto pages = afterDoubleTap(device, kEntryOn, "dump\n");
    ASSERT_EQ(pages.size(), 1u);
    json alert = pages[0]["alert"];
    EXPECT_EQ(alert["title"], "Set Slider Value");
    EXPECT_EQ(alert["message"], "Min: 0 \u2022 Max: 100");
    EXPECT_EQ(alert["style"], 1);
    EXPECT_EQ(alert["actions"], json::parse(R"([{"title":"OK","style":0},{"title":"Cancel","style":1}])"));
    EXPECT_EQ(field(pages[0])["text"], "42.5");
    EXPECT_EQ(field(pages[0])["placeholder"], "42.5");
    EXPECT_EQ(field(pages[0])["keyboardType"], 8);
    EXPECT_EQ(field(pages[0])["focused"], true);
    EXPECT_EQ(field(pages[0])["accessory"]["items"], json::parse(R"(["+/-", "flexible-space"])"));
}

TEST(SliderEntry, OkOnTheUnchangedFieldStoresTheValueAsShownRoundedAwayFromZero)
{
    TestDevice device;
    device.writePlist(kQuickNotesDomain, { { "opacity", 1.005 } });
    auto pages = afterDoubleTap(device, kEntryOn, "dump\nalert OK\ndump\n");
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(field(pages[0])["text"], "1.01");
    EXPECT_FALSE(pages[1].contains("alert"));
    EXPECT_FLOAT_EQ(sliderValue(pages[1]), 1.01f);
    EXPECT_FLOAT_EQ(stored(pages[1]).get<double>(), 1.01f);
}

TEST(SliderEntry, SignKeyTogglesTheTextAndTheTypedValueIsStoredBeyondTheRange)
{
    TestDevice device;
    auto pages = afterDoubleTap(device, kEntryOn,
        "clear\ntype 12\ntoolbar +/-\ndump\ntoolbar +/-\ndump\nclear\ntoolbar +/-\ndump\n"
        "clear\ntype 12\ntoolbar +/-\nalert OK\ndump\n");
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(field(pages[0])["text"], "-12");
    EXPECT_EQ(field(pages[1])["text"], "12");
    EXPECT_EQ(field(pages[2])["text"], "-");
    // The slider shows the nearest end of its range; the preference keeps what was typed.
    EXPECT_EQ(sliderValue(pages[3]), 0);
    EXPECT_EQ(stored(pages[3]), -12);
}

TEST(SliderEntry, TextWithoutANumberStoresZero)
{
    for (const char* steps : { "clear\ntoolbar +/-\nalert OK\ndump\n", "clear\nalert OK\ndump\n" }) {
        TestDevice device;
        device.writePlist(kQuickNotesDomain, { { "opacity", 60 } });
        auto pages = afterDoubleTap(device, kEntryOn, steps);
        ASSERT_EQ(pages.size(), 1u) << steps;
        EXPECT_EQ(sliderValue(pages[0]), 0) << steps;
        EXPECT_EQ(stored(pages[0]), 0) << steps;
    }
}

TEST(SliderEntry, CancelChangesNothing)
{
    TestDevice device;
    auto pages = afterDoubleTap(device, kEntryOn, "clear\ntype 77\nalert Cancel\ndump\n");
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_FALSE(pages[0].contains("alert"));
    EXPECT_EQ(sliderValue(pages[0]), 42.5);
    EXPECT_EQ(stored(pages[0]), nullptr);
    EXPECT_FALSE(std::filesystem::exists(device.file(kQuickNotesDomain)));
}

TEST(SliderEntry, WithTheSettingOffADoubleTapDoesNothing)
{
    for (const json& prefs : { json::object(), json { { "isManualSliderAdjustment", false } } }) {
        TestDevice device;
        device.setPreferences(prefs);
        device.writeFile("/tmp/slider.script", "open quick-notes\ndouble-tap NOTE_OPACITY\ndump\n");
        auto result = device.run({ "script", device.file("/tmp/slider.script").string() });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_FALSE(result.json().contains("alert")) << prefs;
        EXPECT_EQ(sliderValue(result.json()), 42.5);
    }
}

// The texts are the user's own region format, and the value read back from them is the value
// they show: grouped thousands and a decimal comma survive "OK" unchanged.
TEST(SliderEntry, TextsFollowTheDeviceLocaleAndReadBackToTheSameValue)
{
    struct Case {
        const char* locale;
        const char* maximum;
        const char* shown;
        const char* typed;
    } cases[] = {
        { "en_US", "10,000", "1,234.5", "12.75" },
        { "de_DE", "10.000", "1.234,5", "12,75" },
        { "fr_FR", "10\u202F000", "1\u202F234,5", "12,75" },
    };
    for (auto c : cases) {
        TestDevice device;
        device.description()["locale"] = c.locale;
        useWideSlider(device);
        auto pages = afterDoubleTap(device, kEntryOn,
            std::string("dump\nalert OK\ndump\ndouble-tap NOTE_OPACITY\nclear\ntype ") + c.typed
                + "\nalert OK\ndump\n");
        ASSERT_EQ(pages.size(), 3u) << c.locale;
        EXPECT_EQ(pages[0]["alert"]["message"], std::string("Min: 0 \u2022 Max: ") + c.maximum) << c.locale;
        EXPECT_EQ(field(pages[0])["text"], c.shown) << c.locale;
        EXPECT_EQ(stored(pages[1]), 1234.5) << c.locale;
        EXPECT_EQ(stored(pages[2]), 12.75) << c.locale;
    }
}

TEST(SliderEntry, TheDecimalPadOffersOnlyDigitsAndTheLocalesSeparator)
{
    TestDevice device;
    device.description()["locale"] = "de_DE";
    device.setPreferences(kEntryOn);
    device.writeFile("/tmp/slider.script", "open quick-notes\ndouble-tap NOTE_OPACITY\ntype 1.5\n");
    auto result = device.run({ "script", device.file("/tmp/slider.script").string() });
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("line 3"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("no key \".\""), std::string::npos) << result.err;
}
