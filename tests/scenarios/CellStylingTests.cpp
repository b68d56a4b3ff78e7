#include <gtest/gtest.h>

#include "SimHarness.h"

using nlohmann::json;

namespace {

const json kColors = { { "isCustomTableViewColor", true }, { "colorBackgroundTableLight", "112233" },
    { "colorBackgroundTableDark", "445566" } };

}

TEST(CellStyling, StandardCellsTakeTheTableColourOfTheirAppearance)
{
    for (auto [page, row] : { std::pair { "root", "General" }, std::pair { "about", "SerialNumber" } }) {
        TestDevice device;
        EXPECT_EQ(cellOf(dumpPage(device, kColors, page, "light"), row)["background"], "#112233FF") << page;
        EXPECT_EQ(cellOf(dumpPage(device, kColors, page, "dark"), row)["background"], "#445566FF") << page;
    }
}

TEST(CellStyling, WithoutTheSettingCellsKeepTheHostBackground)
{
    TestDevice device;
    json cell = cellOf(dumpPage(device, { { "isCustomTableViewColor", false } }, "about"), "SerialNumber");
    EXPECT_EQ(cell["background"], nullptr);
}

TEST(CellStyling, AChangeOfAppearanceRecoloursAPaintedCell)
{
    TestDevice device;
    device.setPreferences(kColors);
    device.writeFile("/tmp/style.script", "open about\ndump\nstyle dark\ndump\nstyle light\ndump\n");
    auto result = device.run({ "script", device.file("/tmp/style.script").string() });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    auto pages = result.jsonLines();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(cellOf(pages[0], "SerialNumber")["background"], "#112233FF");
    EXPECT_EQ(cellOf(pages[1], "SerialNumber")["background"], "#445566FF");
    EXPECT_EQ(cellOf(pages[2], "SerialNumber")["background"], "#112233FF");
}

TEST(CellStyling, ExemptCellsGetNeitherBorderNorTableColourButStillTheirRounding)
{
    TestDevice device;
    json prefs = kColors;
    prefs.update({ { "isCustomBorderColor", true }, { "borderWidthValue", 2 }, { "colorBorder", "ff0000" },
        { "roundCornersCustomize", 7 }, { "isCustomTableCellCustomizabilityEnabled", true },
        { "groupTweaksEnabled", true } });
    json page = dumpPage(device, prefs, "snowboard");
    json footer = cellOf(page, "SNOWBOARD_FOOTER");
    EXPECT_EQ(footer["class"], "SnowboardFooterCell");
    EXPECT_EQ(footer["layer"]["borderWidth"], 0);
    EXPECT_EQ(footer["background"], nullptr);
    EXPECT_EQ(footer["layer"]["cornerRadius"], 7);
    json ordinary = cellOf(page, "SNOWBOARD_ENABLED");
    EXPECT_EQ(ordinary["layer"]["borderWidth"], 2);
    EXPECT_EQ(ordinary["layer"]["borderColor"], "#FF0000FF");
    EXPECT_EQ(ordinary["background"], "#112233FF");
    EXPECT_EQ(ordinary["layer"]["cornerRadius"], 7);
}

TEST(CellStyling, PreferenceCellsGetTheirBorderFromIOS15On)
{
    for (auto [version, width] : { std::pair { "14.8", 0 }, std::pair { "15.0", 3 }, std::pair { "16.4", 3 } }) {
        TestDevice device;
        device.description()["systemVersion"] = version;
        json cell = cellOf(
            dumpPage(device, { { "isCustomBorderColor", true }, { "borderWidthValue", 3 } }, "about"), "ProductModel");
        EXPECT_EQ(cell["layer"]["borderWidth"], width) << "iOS " << version;
    }
}

TEST(CellStyling, WithoutArrowsOnlyDeviceListsInputModesAndVPNKeepTheirAccessory)
{
    TestDevice device;
    json prefs = { { "isArrowAccessory", false } };
    struct Case {
        const char* page;
        const char* row;
        int accessory;
    };
    for (auto c : { Case { "root", "General", 0 }, Case { "root", "VPN", 1 }, Case { "bluetooth", "BT-AirPods", 1 },
             Case { "keyboards", "en_US", 1 }, Case { "keyboards", "KEYBOARDS", 0 } })
        EXPECT_EQ(cellOf(dumpPage(device, prefs, c.page), c.row)["accessory"], c.accessory) << c.page << " " << c.row;
    EXPECT_EQ(cellOf(dumpPage(device, { { "isArrowAccessory", true } }, "root"), "General")["accessory"], 1);
}

TEST(CellStyling, ATapHighlightsOnlyWhileTheSelectedBackgroundSettingIsOn)
{
    for (bool on : { false, true }) {
        TestDevice device;
        json tap = cellOf(dumpPage(device, { { "disableSelectedBackground", on } }, "root"), "General")["tap"];
        EXPECT_EQ(tap["highlighted"], on);
        EXPECT_EQ(tap["selected"], on);
    }
}

TEST(CellStyling, CornersAndIconsAreRoundedAsSet)
{
    TestDevice device;
    json prefs = { { "roundCornersCustomize", 12 }, { "isCircleIcons", true }, { "circleIconValue", 14 } };
    json general = cellOf(dumpPage(device, prefs, "root"), "General");
    EXPECT_EQ(general["layer"]["cornerRadius"], 12);
    EXPECT_EQ(general["icon"]["cornerRadius"], 14);
    EXPECT_EQ(general["icon"]["clips"], true);
    EXPECT_EQ(cellOf(dumpPage(device, prefs, "battery"), "Maximum Capacity")["layer"]["cornerRadius"], 12);
}
