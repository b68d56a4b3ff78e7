#include <gtest/gtest.h>

#include "SimHarness.h"

using nlohmann::json;

namespace {

double cellHeight(const json& page, size_t section, size_t row)
{
    return page["sections"][section]["rows"][row]["cell"]["frame"][3].get<double>();
}

}

TEST(RootAppearance, TitleFollowsTitleVisibleAndTitleValue)
{
    struct Case {
        json prefs;
        json title;
    } cases[] = {
        { json::object(), "Settings" },
        { { { "titleValue", "" } }, "" },
        { { { "titleValue", "My iPhone" } }, "My iPhone" },
        // With the title hidden the host's own "Settings" never reaches the page.
        { { { "isTitleVisible", false }, { "titleValue", "My iPhone" } }, nullptr },
    };
    for (auto& c : cases) {
        TestDevice device;
        json page = dumpRoot(device, c.prefs);
        EXPECT_EQ(page["title"], c.title) << c.prefs.dump();
    }
}

TEST(RootAppearance, AccountRowsAreTallAndOtherRowsTakeTheChosenHeight)
{
    struct Case {
        json prefs;
        double firstRow; // row 0 of section 0
        double other; // a row of a later section
    } cases[] = {
        // Row 0 keeps the host's height even though a height is chosen for rows; row 1 is 87.
        { { { "tableViewCellHeight", 70 } }, 44, 70 },
        { { { "stockiCloud", true }, { "tableViewCellHeight", 70 } }, 87, 70 },
        { { { "isTableViewCellHeightEnabled", false }, { "stockiCloud", true } }, 87, 44 },
    };
    for (auto& c : cases) {
        TestDevice device;
        json page = dumpRoot(device, c.prefs);
        ASSERT_GE(page["sections"][0]["rows"].size(), 2u) << c.prefs.dump();
        EXPECT_EQ(cellHeight(page, 0, 0), c.firstRow) << c.prefs.dump();
        EXPECT_EQ(cellHeight(page, 0, 1), 87.0) << c.prefs.dump();
        EXPECT_EQ(cellHeight(page, 2, 0), c.other) << c.prefs.dump();
    }
}

// The banner row is as high as "bannerHeight" beside the stock account row, with the regrouping
// off as well as on; the account row under it keeps its 87 points.
TEST(RootAppearance, TheBannerRowTakesTheBannerHeight)
{
    for (bool regrouped : { false, true }) {
        TestDevice device;
        json page = dumpRoot(device,
            { { "isBannerEnabled", true }, { "stockiCloud", true }, { "bannerHeight", 150 },
                { "isCustomTableCellCustomizabilityEnabled", regrouped } });
        ASSERT_GE(page["sections"][0]["rows"].size(), 2u);
        EXPECT_EQ(page["sections"][0]["rows"][0]["id"], "TMBannerCell");
        EXPECT_EQ(cellHeight(page, 0, 0), 150.0) << "regrouped " << regrouped;
        EXPECT_EQ(page["sections"][0]["rows"][1]["id"], "APPLE_ACCOUNT");
        EXPECT_EQ(cellHeight(page, 0, 1), 87.0) << "regrouped " << regrouped;
    }
}

// H is the navigation bar's height plus the status bar's: 148 + 47 on the default phone.
TEST(RootAppearance, PullingPastTheBarsPinsATopInsetOfTheirHeightUntilReleased)
{
    TestDevice device;
    auto dumps = scriptDumps(
        device, json::object(), "dump\nscroll -1\ndump\nscroll -30\ndump\nscroll 31\ndump\nscroll 200\ndump\n");
    ASSERT_EQ(dumps.size(), 5u);
    double rest = dumps[0]["contentOffset"];
    double bars
        = dumps[0]["navigationBar"]["frame"][3].get<double>() + dumps[0]["navigationBar"]["frame"][1].get<double>();
    EXPECT_EQ(rest, -bars);
    EXPECT_EQ(dumps[0]["contentInset"], json({ 0, 0, 0, 0 }));
    EXPECT_EQ(dumps[1]["contentInset"], json({ bars, 0, 0, 0 }));
    EXPECT_EQ(dumps[2]["contentInset"], json({ bars, 0, 0, 0 }));
    EXPECT_EQ(dumps[3]["contentOffset"], rest);
    EXPECT_EQ(dumps[3]["contentInset"], json({ 0, 0, 0, 0 })) << "at exactly -H the inset is released";
    EXPECT_EQ(dumps[4]["contentInset"], json({ 0, 0, 0, 0 }));
}

TEST(RootAppearance, FamilyRefreshIsSkippedWholeWhenTheRowIsSwitchedOff)
{
    for (bool enabled : { true, false }) {
        TestDevice device;
        device.description()["family"] = { "Jane", "John", "Ava" };
        json page = dumpRoot(device, { { "isFamilyEnabled", enabled } });
        const json* family = rowNamed(page, "Family");
        ASSERT_TRUE(family) << enabled;
        EXPECT_EQ(family->value("value", json(nullptr)), enabled ? json("3 Members") : json(nullptr))
            << "the completion shows the members; it must not run when the row is off";
    }
}

TEST(RootAppearance, TVProviderCheckIsSkippedWholeWhenItsRowIsSwitchedOffInARegroupedList)
{
    struct Case {
        bool regrouped, tvProvider;
        json value;
    } cases[] = { { true, false, nullptr }, { true, true, "Spectrum" }, { false, false, "Spectrum" } };
    for (auto c : cases) {
        TestDevice device;
        device.description()["videoSubscriberProvider"] = "Spectrum";
        json page = dumpRoot(device,
            { { "isCustomTableCellCustomizabilityEnabled", c.regrouped }, { "tvProviderEnabled", c.tvProvider } });
        EXPECT_EQ(page["rootPage"]["heldRows"]["videoSubscriber"]["value"], c.value)
            << "regrouped " << c.regrouped << " tvProvider " << c.tvProvider;
    }
}

TEST(RootAppearance, RowsTheHostShowsByItsOwnChecksFollowTheSwitchesInARegroupedList)
{
    struct Case {
        json prefs;
        bool ethernet, exposure;
        const char* bluetooth;
    } cases[] = {
        // Not regrouped: the host decides (no adapter, exposure offered, the radio reports off).
        { json::object(), false, true, "Off" },
        { { { "exposureEnabled", false } }, false, false, "Off" },
        // Regrouped, connectivity not grouped: Ethernet follows its switch; Bluetooth updates are
        // ignored, so the row keeps what it showed.
        { { { "isCustomTableCellCustomizabilityEnabled", true } }, true, true, "On" },
        { { { "isCustomTableCellCustomizabilityEnabled", true }, { "ethernetEnabled", false } }, false, true, "On" },
    };
    for (auto& c : cases) {
        TestDevice device;
        device.description()["bluetoothPower"] = false;
        json page = dumpRoot(device, c.prefs);
        EXPECT_EQ(rowNamed(page, "ETHERNET") != nullptr, c.ethernet) << c.prefs.dump();
        EXPECT_EQ(rowNamed(page, "Exposure Notifications") != nullptr, c.exposure) << c.prefs.dump();
        const json* bluetooth = rowNamed(page, "Bluetooth");
        ASSERT_TRUE(bluetooth) << c.prefs.dump();
        EXPECT_EQ((*bluetooth)["value"], c.bluetooth) << c.prefs.dump();
    }
    TestDevice grouped;
    json page = dumpRoot(
        grouped, { { "isCustomTableCellCustomizabilityEnabled", true }, { "isGeneralGroupingEnabled", true } });
    EXPECT_EQ(rowNamed(page, "Exposure Notifications"), nullptr);
}

TEST(RootAppearance, ProfileFollowUpOpensTheProfileSheetInsteadOfTheHostsPage)
{
    TestDevice device;
    device.description()["followups"]
        = json::array({ { { "id", "FollowUpList_com.apple.managedconfiguration.ios-purgatory" },
            { "name", "Profile Downloaded" }, { "cell", "PSLinkCell" }, { "detail", "SettingsDetailController" } } });
    device.description()["purgatoryProfile"] = "Work Wi-Fi";
    auto dumps
        = scriptDumps(device, json::object(), "tap FollowUpList_com.apple.managedconfiguration.ios-purgatory\ndump\n");
    ASSERT_EQ(dumps.size(), 1u);
    EXPECT_EQ(dumps[0]["class"], "PSUIPrefsListController") << "the host's page was not pushed";
    EXPECT_EQ(dumps[0]["rootPage"]["presented"],
        json::array({ { { "class", "MCProfileListController" }, { "title", "VPN & Device Management" } },
            { { "class", "UIAlertController" }, { "title", "Install Profile" } } }));
}

TEST(RootAppearance, BadgeIsClearedOnlyWhenAsked)
{
    for (bool clear : { true, false }) {
        TestDevice device;
        device.description()["applicationIconBadgeNumber"] = 2;
        json page = dumpRoot(device, { { "isSoftwareUpdateBadgeEnabled", clear } });
        EXPECT_EQ(page["rootPage"]["applicationIconBadgeNumber"], clear ? 0 : 2);
    }
}

// A root page that Settings does not know as its top level still becomes rootListController and
// takes the title setting.
TEST(RootAppearance, ASecondRootPageBecomesTheRootListController)
{
    TestDevice device;
    auto dumps = scriptDumps(device, { { "titleValue", "Mine" } }, "dump\npush-root\ndump\nback\ndump\n");
    ASSERT_EQ(dumps.size(), 3u);
    EXPECT_EQ(dumps[0]["rootPage"]["isRootListController"], true);
    EXPECT_EQ(dumps[1]["rootPage"]["isRootListController"], true);
    EXPECT_EQ(dumps[1]["title"], "Mine");
    EXPECT_EQ(dumps[2]["rootPage"]["isRootListController"], false) << "the newest root page wins";
}
