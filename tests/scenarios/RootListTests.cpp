#include <gtest/gtest.h>

#include "SimHarness.h"

using nlohmann::json;
using Ids = std::vector<std::string>;

namespace {

// The section that holds the row, as identifiers.
Ids sectionOf(const json& page, const std::string& id)
{
    for (auto& section : rowIDs(page))
        if (indexOf(section, id) >= 0)
            return section;
    return {};
}

const Ids kTweakRows = { "Aurora", "beta tools", "Lumen", "Quick Notes", "Snowboard", "Velvet" };

}

TEST(RootList, MasterSwitchOffKeepsTheHostListApartFromTheAccountGroupAndTweakRows)
{
    TestDevice device;
    json page = dumpRoot(device, json::object());
    Ids ids = flatRowIDs(page);
    EXPECT_NE(page["sections"][0]["group"], "PRIMARY_APPLE_ACCOUNT_GROUP");
    for (const char* stock : { "AIRPLANE_MODE", "WIFI", "General", "PASSCODE", "STORE", "HOMEKIT", "GAMECENTER", "VPN", "PASSBOOK" })
        EXPECT_GE(indexOf(ids, stock), 0) << stock;
    // The tweak rows follow Game Center in a section of their own, sorted without regard to case.
    Ids tweaks = sectionOf(page, "Aurora");
    EXPECT_EQ(tweaks, kTweakRows);
    EXPECT_EQ(indexOf(ids, "Aurora"), indexOf(ids, "GAMECENTER") + 1);
    EXPECT_EQ(indexOf(ids, "CONNECTIVITY_MODULE"), -1);
}

TEST(RootList, BannerStandsInItsOwnSectionUnlessTheStockAccountCellHasNoSpacer)
{
    struct Case {
        bool stockiCloud, spacer, ownSection;
    } cases[] = { { false, false, true }, { true, false, false }, { true, true, true }, { false, true, true } };
    for (auto c : cases) {
        TestDevice device;
        json page = dumpRoot(device, { { "isBannerEnabled", true }, { "stockiCloud", c.stockiCloud }, { "isBannerSpacerEnabled", c.spacer } });
        Ids banner = sectionOf(page, "TMBannerCell");
        ASSERT_FALSE(banner.empty());
        EXPECT_EQ(rowIDs(page)[0][0], "TMBannerCell");
        EXPECT_EQ(banner.size() == 1, c.ownSection) << "stockiCloud " << c.stockiCloud << " spacer " << c.spacer;
        if (!c.ownSection) {
            EXPECT_EQ(banner[1], "APPLE_ACCOUNT");
        }
    }
}

TEST(RootList, ConnectivityModuleTakesTheRunFromAirplaneModeToTheNextGroup)
{
    TestDevice device;
    json page = dumpRoot(device, { { "isCustomTableCellCustomizabilityEnabled", true }, { "isConnectivityGroupingEnabled", true },
                                     { "airplaneModeEnabled", false } });
    Ids ids = flatRowIDs(page);
    Ids section = sectionOf(page, "CONNECTIVITY_MODULE");
    EXPECT_EQ(section, Ids { "CONNECTIVITY_MODULE" });
    for (const char* moved : { "AIRPLANE_MODE", "WIFI", "Bluetooth", "MOBILE_DATA_SETTINGS_ID", "INTERNET_TETHERING", "VPN" })
        EXPECT_EQ(indexOf(ids, moved), -1) << moved;
    EXPECT_GE(indexOf(ids, "NOTIFICATIONS_ID"), 0);
}

TEST(RootList, GeneralModuleKeepsPasscodeInASectionOfItsOwn)
{
    TestDevice device;
    json page = dumpRoot(device, { { "isCustomTableCellCustomizabilityEnabled", true }, { "isGeneralGroupingEnabled", true } });
    Ids ids = flatRowIDs(page);
    EXPECT_EQ(sectionOf(page, "GENERAL_MODULE"), Ids { "GENERAL_MODULE" });
    Ids passcode = sectionOf(page, "PASSCODE");
    EXPECT_EQ(passcode, Ids { "PASSCODE" }) << "EMERGENCY_SOS, BATTERY_USAGE and Privacy move although they follow PASSCODE";
    for (const char* moved : { "General", "ControlCenter", "DISPLAY", "Wallpaper", "EMERGENCY_SOS", "BATTERY_USAGE", "Privacy", "Exposure Notifications" })
        EXPECT_EQ(indexOf(ids, moved), -1) << moved;
    // The TV provider row joins the root list only before iOS 15.
    EXPECT_EQ(std::count(ids.begin(), ids.end(), "VIDEO_SUBSCRIBER"), 1);
}

TEST(RootList, SwitchedOffRowsLeaveAndListRowsFollowTheAccount)
{
    TestDevice device;
    json page = dumpRoot(device, { { "isCustomTableCellCustomizabilityEnabled", true }, { "isFamilyEnabled", false },
                                     { "wifiEnabled", false }, { "soundsEnabled", false }, { "sepEnabled", false },
                                     { "groupTweaksEnabled", true }, { "groupThirdPartyAppsEnabled", true } });
    Ids ids = flatRowIDs(page);
    for (const char* gone : { "Family", "WIFI", "Sounds", "PASSCODE" })
        EXPECT_EQ(indexOf(ids, gone), -1) << gone;
    EXPECT_EQ(sectionOf(page, "TWEAKS_CELL"), (Ids { "TWEAKS_CELL", "APPS_CELL" }));
    EXPECT_EQ(indexOf(ids, "TWEAKS_CELL"), indexOf(ids, "APPLE_ACCOUNT") + 1);
}

TEST(RootList, SystemAppsTakeEverythingFromTheStoreAndLaterInsertionsAreFiltered)
{
    TestDevice device;
    json page = dumpRoot(device, { { "isCustomTableCellCustomizabilityEnabled", true }, { "groupSystemAppsEnabled", true },
                                     { "walletEnabled", false } });
    Ids ids = flatRowIDs(page);
    EXPECT_GE(indexOf(ids, "SYSTEM_APPS_CELL"), 0);
    for (const char* gone : { "STORE", "HOMEKIT", "com.apple.podcasts", "GAMECENTER", "com.apple.mobilemail", "VIDEO_SUBSCRIBER", "PASSBOOK" })
        EXPECT_EQ(indexOf(ids, gone), -1) << gone;
    // Game Center came after the Store, so the tweak rows come after Privacy instead.
    EXPECT_EQ(sectionOf(page, "Aurora"), kTweakRows);
    EXPECT_GT(indexOf(ids, "Aurora"), indexOf(ids, "Privacy"));
}

TEST(RootList, InsertionsFollowTheTable)
{
    struct Case {
        json prefs;
        const char* id;
        bool inserted;
    } cases[] = {
        { { { "isConnectivityGroupingEnabled", false }, { "vpnEnabled", true } }, "VPN", true },
        { { { "isConnectivityGroupingEnabled", false }, { "vpnEnabled", false } }, "VPN", false },
        { { { "isGeneralGroupingEnabled", false }, { "emergencyEnabled", false } }, "EMERGENCY_SOS", false },
        { { { "isGeneralGroupingEnabled", false }, { "walletEnabled", true } }, "PASSBOOK", true },
        { { { "isGeneralGroupingEnabled", true }, { "walletEnabled", true } }, "PASSBOOK", false },
        { { { "tvProviderEnabled", false } }, "VIDEO_SUBSCRIBER", false },
    };
    for (auto& c : cases) {
        TestDevice device;
        json prefs = c.prefs;
        prefs["isCustomTableCellCustomizabilityEnabled"] = true;
        Ids ids = flatRowIDs(dumpRoot(device, prefs));
        EXPECT_EQ(indexOf(ids, c.id) >= 0, c.inserted) << c.id << " with " << c.prefs.dump();
    }
}

TEST(RootList, WithoutPreferenceLoaderNothingIsInstalled)
{
    TestDevice device;
    device.remove("/var/jb/Library/MobileSubstrate/DynamicLibraries/PreferenceLoader.dylib");
    json page = dumpRoot(device, { { "isCustomTableCellCustomizabilityEnabled", true }, { "isBannerEnabled", true } });
    Ids ids = flatRowIDs(page);
    EXPECT_EQ(page["sections"][0]["group"], "PRIMARY_APPLE_ACCOUNT_GROUP");
    EXPECT_EQ(indexOf(ids, "TMBannerCell"), -1);
    EXPECT_EQ(indexOf(ids, "Aurora"), -1);
}

TEST(RootList, MasterSwitchOfTheTweakInstallsNothing)
{
    TestDevice device;
    json page = dumpRoot(device, { { "tweakEnabled", false }, { "isBannerEnabled", true } });
    Ids ids = flatRowIDs(page);
    EXPECT_EQ(page["sections"][0]["group"], "PRIMARY_APPLE_ACCOUNT_GROUP");
    EXPECT_EQ(indexOf(ids, "Aurora"), -1);
}

TEST(RootList, FollowUpRowsRefreshOnlyWhenWanted)
{
    for (bool enabled : { true, false }) {
        TestDevice device;
        device.description()["followups"] = json::array({ { { "id", "FollowUpList_com.apple.followup.-group.software" }, { "name", "iOS 16.5 Available" } } });
        Ids ids = flatRowIDs(dumpRoot(device, { { "isCustomTableCellCustomizabilityEnabled", true }, { "isFollowUpEnabled", enabled } }));
        EXPECT_EQ(indexOf(ids, "FollowUpList_com.apple.followup.-group.software") >= 0, enabled);
        EXPECT_EQ(indexOf(ids, "FollowUpList_com.apple.followup.-group.account") >= 0, enabled);
    }
}

TEST(RootList, SecondWalkReturnsTheInstalledListWithoutRepeatingOnceActions)
{
    TestDevice device;
    device.setPreferences(json::object());
    // Each dump asks the root page for its rows again.
    device.writeFile("/tmp/twice.script", "advance 1\ndump\ndump\n");
    auto result = device.run({ "script", device.file("/tmp/twice.script").string() });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    auto dumps = result.jsonLines();
    ASSERT_EQ(dumps.size(), 2u);
    Ids first = flatRowIDs(dumps[0]), second = flatRowIDs(dumps[1]);
    EXPECT_EQ(first, second);
    EXPECT_EQ(std::count(second.begin(), second.end(), "Aurora"), 1);
}

TEST(RootList, AModuleStartRowThatIsAGroupRowMovesOnceAndTheWalkGoesOn)
{
    struct Case {
        const char* start;
        const char* grouping;
        const char* moduleRow;
        const char* page;
        Ids moved;
    } cases[] = {
        { "AIRPLANE_MODE", "isConnectivityGroupingEnabled", "CONNECTIVITY_MODULE", "connectivity",
            { "WIFI", "Bluetooth", "MOBILE_DATA_SETTINGS_ID", "INTERNET_TETHERING" } },
        { "NOTIFICATIONS_ID", "isNotificationsGroupingEnabled", "NOTIFICATIONS_MODULE", "notifications",
            { "Sounds", "DO_NOT_DISTURB", "SCREEN_TIME" } },
    };
    for (auto& c : cases) {
        TestDevice device;
        for (auto& row : device.description()["rootList"])
            if (row["id"] == c.start)
                row["cell"] = "PSGroupCell";
        device.setPreferences({ { "isCustomTableCellCustomizabilityEnabled", true }, { c.grouping, true } });
        device.writeFile("/tmp/pages.script", std::string("advance 1\ndump\nopen ") + c.page + "\ndump\n");
        auto result = device.run({ "script", device.file("/tmp/pages.script").string() });
        ASSERT_EQ(result.exitCode, 0) << c.start << ": " << result.err;
        auto dumps = result.jsonLines();
        ASSERT_EQ(dumps.size(), 2u) << c.start;
        Ids root = flatRowIDs(dumps[0]);
        EXPECT_EQ(std::count(root.begin(), root.end(), c.moduleRow), 1) << c.start;
        for (auto& section : dumps[0]["sections"])
            EXPECT_NE(section["group"], c.start) << "the start row moved with its run";
        // The walk went on past the run to the rest of the list.
        EXPECT_GE(indexOf(root, "PASSCODE"), 0) << c.start;
        EXPECT_EQ(flatRowIDs(dumps[1]), c.moved) << c.start;
    }
}
