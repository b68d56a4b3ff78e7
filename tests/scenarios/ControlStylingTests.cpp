#include <gtest/gtest.h>

#include "SimHarness.h"

using nlohmann::json;

namespace {

json controlOf(const json& page, const std::string& id)
{
    return cellOf(page, id)["control"];
}

const json kSwitchColours = { { "colorOnSwitch", "FF2D55" }, { "colorOffSwitch", "30D158" } };

}

// Root-list switches hide with "isSwitchesEnabled"; every switch takes the colours with
// "isCustomSwitchColor", hidden or not.
TEST(ControlStyling, SwitchesHideOnlyOnTheRootListAndTakeTheColoursEverywhere)
{
    struct Case {
        const char* page;
        const char* row;
        bool hideSetting, colourSetting;
        bool hidden;
    } cases[] = {
        { "root", "AIRPLANE_MODE", true, true, true },
        { "root", "AIRPLANE_MODE", false, true, false },
        { "root", "AIRPLANE_MODE", true, false, true },
        { "bluetooth", "BLUETOOTH_POWER", true, true, false },
        { "bluetooth", "BLUETOOTH_POWER", true, false, false },
    };
    for (auto c : cases) {
        TestDevice device;
        json prefs = kSwitchColours;
        prefs.update({ { "isSwitchesEnabled", c.hideSetting }, { "isCustomSwitchColor", c.colourSetting },
            { "isCustomTableCellCustomizabilityEnabled", false } });
        json control = controlOf(dumpPage(device, prefs, c.page), c.row);
        std::string label = std::string(c.page) + " hide=" + std::to_string(c.hideSetting)
            + " colour=" + std::to_string(c.colourSetting);
        ASSERT_EQ(control["class"], "UISwitch") << label;
        EXPECT_EQ(control["hidden"], c.hidden) << label;
        EXPECT_EQ(control["onTint"] == "#FF2D55FF", c.colourSetting) << label;
        EXPECT_EQ(control["background"] == "#30D158FF", c.colourSetting) << label;
        EXPECT_EQ(control["cornerRadius"] == 16, c.colourSetting) << label;
    }
}

// On the preference pane's offsets and table-cell pages whole values lose ".0" and the label
// turns secondary; a decimal part with other digits stays, and other pages keep the host's label.
TEST(ControlStyling, SliderValueLabelsAreTidiedOnThePanesTwoPages)
{
    TestDevice device;
    device.description()["pages"]["KeyboardController"].push_back({ { "id", "KEY_REPEAT" }, { "name", "Key Repeat" },
        { "cell", "PSSliderCell" }, { "value", "5" }, { "properties", { { "max", 10 }, { "showValue", true } } } });
    device.description()["pages"]["SORRELTableCellRootListController"].push_back({ { "id", "FINE" }, { "name", "Fine" },
        { "cell", "PSSliderCell" }, { "value", "0.05" }, { "properties", { { "showValue", true } } } });
    const char* secondary = "#3C3C4399";
    struct Case {
        const char* page;
        const char* row;
        const char* text;
        bool tidied;
    } cases[] = {
        { "offsets", "yOffset", "5", true },
        { "offsets", "xOff", "-50", true },
        { "table-cells", "backgroundImageBlurValue", "0.5", true },
        { "table-cells", "FINE", "0.1", true }, // one decimal: 0.05 shows as 0.1
        { "keyboards", "KEY_REPEAT", "5.0", false },
    };
    for (auto c : cases) {
        json label = controlOf(dumpPage(device, {}, c.page), c.row)["valueLabel"];
        ASSERT_TRUE(label.is_object()) << c.row;
        EXPECT_EQ(label["text"], c.text) << c.row;
        EXPECT_EQ(label["color"] == secondary, c.tidied) << c.row;
    }
}

// What a person sees on the root list: the table's colour around the rows, the rows' colour and
// the switch's off colour, in both appearances.
TEST(ControlStyling, CustomColoursShowInTheRootPagesPixels)
{
    struct Case {
        const char* style;
        const char* cellColour;
        std::array<int, 3> cell;
    } cases[] = { { "light", "FFE08A", { 0xFF, 0xE0, 0x8A } }, { "dark", "5A1E6E", { 0x5A, 0x1E, 0x6E } } };
    for (auto c : cases) {
        TestDevice device;
        json prefs = kSwitchColours;
        prefs.update({ { "isCustomTableCellCustomizabilityEnabled", false }, { "tableViewCellInset", 20 },
            { "isCustomBackgroundColor", true }, { "colorBackground", "1E5AA8" }, { "isCustomTableViewColor", true },
            { "colorBackgroundTableLight", "FFE08A" }, { "colorBackgroundTableDark", "5A1E6E" },
            { "isSwitchesEnabled", false }, { "isCustomSwitchColor", true } });
        device.setPreferences(prefs);
        auto result = device.run({ "--style", c.style, "dump", "root" });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        json page = result.json();
        auto out = device.path() / "root.png";
        ASSERT_EQ(device.run({ "--style", c.style, "render", "root", "--out", out.string() }).exitCode, 0);
        auto shot = readScreenshot(out);
        ASSERT_TRUE(shot);
        json toggle = controlOf(page, "AIRPLANE_MODE");
        ASSERT_FALSE(toggle["on"].get<bool>());
        // Points of the unscrolled page: inside the Family row below its text, left of the rows,
        // and the right half of the Airplane Mode switch's track.
        EXPECT_EQ(shot->at(300, 330), c.cell) << c.style;
        EXPECT_EQ(shot->at(8, 400), (std::array<int, 3> { 0x1E, 0x5A, 0xA8 })) << c.style;
        // The off track lies over the off colour; its right half shows it, with no thumb there.
        auto track = shot->at(340, 487);
        EXPECT_GT(track[1], track[0] + 60) << c.style << " " << track[0] << "," << track[1] << "," << track[2];
        EXPECT_GT(track[1], track[2] + 30) << c.style;
    }
}
