#include <gtest/gtest.h>

#include "SimHarness.h"

using nlohmann::json;
using Ids = std::vector<std::string>;

namespace {

const json kAllModules = { { "isCustomTableCellCustomizabilityEnabled", true }, { "isConnectivityGroupingEnabled", true },
    { "isNotificationsGroupingEnabled", true }, { "isGeneralGroupingEnabled", true }, { "groupTweaksEnabled", true },
    { "groupThirdPartyAppsEnabled", true }, { "groupSystemAppsEnabled", true } };

json withModules(json extra)
{
    json prefs = kAllModules;
    for (auto& [k, v] : extra.items())
        prefs[k] = v;
    return prefs;
}

// Puts a row into the device's root list right after another one.
void insertRootRow(TestDevice& device, const std::string& after, json row)
{
    auto& list = device.description()["rootList"];
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i]["id"] == after) {
            list.insert(list.begin() + static_cast<long>(i) + 1, row);
            return;
        }
    }
    FAIL() << "no row " << after;
}

}

TEST(ModulePages, ConnectivityShowsItsRunFilteredByTheMemberSwitches)
{
    TestDevice device;
    insertRootRow(device, "AIRPLANE_MODE", { { "id", "CARRIER_ROW" }, { "name", "Carrier" }, { "cell", "PSLinkCell" } });
    json page = dumpPage(device, withModules({ { "wifiEnabled", false } }), "connectivity");
    EXPECT_EQ(page["title"], "Connectivity");
    EXPECT_EQ(flatRowIDs(page), (Ids { "AIRPLANE_MODE", "CARRIER_ROW", "Bluetooth", "MOBILE_DATA_SETTINGS_ID", "INTERNET_TETHERING" }));
}

TEST(ModulePages, NotificationsFilterTheirRows)
{
    TestDevice device;
    json page = dumpPage(device, withModules({ { "dndEnabled", false } }), "notifications");
    EXPECT_EQ(page["title"], "Notifications & Sounds");
    EXPECT_EQ(flatRowIDs(page), (Ids { "NOTIFICATIONS_ID", "Sounds", "SCREEN_TIME" }));
}

TEST(ModulePages, GeneralPutsTheRootPagesExposureRowAfterEmergencySOS)
{
    for (const char* version : { "16.4", "14.8" }) {
        TestDevice device;
        device.description()["systemVersion"] = version;
        insertRootRow(device, "PASSCODE", { { "id", "EMERGENCY_SOS" }, { "name", "Emergency SOS" }, { "cell", "PSLinkCell" } });
        json page = dumpPage(device, withModules({ { "accessibilityEnabled", false } }), "general");
        Ids ids = flatRowIDs(page);
        EXPECT_EQ(page["title"], "General");
        EXPECT_EQ(ids, (Ids { "General", "ControlCenter", "DISPLAY", "HOME_SCREEN", "Wallpaper", "SIRI", "EMERGENCY_SOS",
                           "Exposure Notifications", "BATTERY_USAGE", "Privacy" }))
            << "iOS " << version;
    }
}

TEST(ModulePages, GeneralWithoutEmergencySOSShowsNoExposureRow)
{
    TestDevice device;
    json page = dumpPage(device, withModules({ { "wallpaperEnabled", false } }), "general");
    Ids ids = flatRowIDs(page);
    EXPECT_EQ(indexOf(ids, "Exposure Notifications"), -1);
    EXPECT_EQ(indexOf(ids, "Wallpaper"), -1);
    EXPECT_GE(indexOf(ids, "General"), 0);
}

TEST(ModulePages, WallpaperOpensThroughTheRootPage)
{
    TestDevice device;
    device.setPreferences(kAllModules);
    device.writeFile("/tmp/wallpaper.script", "advance 1\nopen general\ntap Wallpaper\ndump\n");
    auto result = device.run({ "script", device.file("/tmp/wallpaper.script").string() });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    json page = result.json();
    EXPECT_EQ(page["title"], "Wallpaper");
    EXPECT_EQ(page["parentController"], "PSUIPrefsListController");
}

TEST(ListPages, TweaksListTheEntryFilesSortedWithTheirIcons)
{
    TestDevice device;
    json page = dumpPage(device, withModules({}), "tweaks");
    EXPECT_EQ(page["title"], "Tweaks");
    EXPECT_EQ(flatRowIDs(page), (Ids { "Aurora", "beta tools", "Lumen", "Quick Notes", "Snowboard", "Velvet" }));
    auto rows = page["sections"][0]["rows"];
    EXPECT_EQ(rows[0]["iconSize"], json::array({ 29, 29 })) << "a bundle icon is drawn at 29 by 29";
    EXPECT_EQ(rows[3]["iconSize"], json::array({ 29, 29 })) << "a simple pane's icon comes as it is";
}

TEST(ListPages, AppsTakeTheDeliveredRowsTenMillisecondsLater)
{
    TestDevice device;
    device.setPreferences(withModules({}));
    // The host delivers the apps' rows 0.5 s after the root page loaded.
    device.writeFile("/tmp/apps.script", "advance 0.5\ndump\nadvance 0.009\ndump\nadvance 0.002\ndump\nopen apps\ndump\n");
    auto result = device.run({ "script", device.file("/tmp/apps.script").string() });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    auto dumps = result.jsonLines();
    ASSERT_EQ(dumps.size(), 4u);
    EXPECT_GE(indexOf(flatRowIDs(dumps[0]), "com.spotify.client"), 0) << "the host's own completion put them in";
    EXPECT_GE(indexOf(flatRowIDs(dumps[1]), "com.spotify.client"), 0);
    EXPECT_EQ(indexOf(flatRowIDs(dumps[2]), "com.spotify.client"), -1);
    EXPECT_EQ(flatRowIDs(dumps[3]), (Ids { "com.spotify.client", "net.whatsapp.WhatsApp", "com.burbn.instagram", "org.videolan.vlc-ios" }));
}

TEST(ListPages, SystemAppsListEverythingFromTheStoreWithIcons)
{
    TestDevice device;
    json page = dumpPage(device, withModules({}), "system-apps");
    Ids ids = flatRowIDs(page);
    EXPECT_EQ(page["title"], "System Apps");
    EXPECT_EQ(ids.front(), "STORE");
    EXPECT_EQ(ids.back(), "GAMECENTER");
    EXPECT_GE(indexOf(ids, "com.apple.podcasts"), 0);
    for (auto& section : page["sections"])
        for (auto& row : section["rows"])
            EXPECT_TRUE(row["icon"].get<bool>()) << row["id"];
}

TEST(ListPages, APageWhoseRowIsNotOnTheRootListIsAnError)
{
    TestDevice device;
    device.setPreferences({ { "isCustomTableCellCustomizabilityEnabled", true } });
    auto result = device.run({ "dump", "connectivity" });
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.err.find("cannot be reached"), std::string::npos) << result.err;
    EXPECT_TRUE(result.out.empty());
}
