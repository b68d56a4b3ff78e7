#include <gtest/gtest.h>

#include "SimHarness.h"

using nlohmann::json;

namespace {

constexpr char kLocalizationBundle[] = "/var/jb/Library/PreferenceBundles/TamarindLocalization.bundle";

const json kRegrouped
    = { { "isCustomTableCellCustomizabilityEnabled", true }, { "isConnectivityGroupingEnabled", true },
          { "isNotificationsGroupingEnabled", true }, { "isGeneralGroupingEnabled", true },
          { "groupTweaksEnabled", true }, { "groupThirdPartyAppsEnabled", true }, { "groupSystemAppsEnabled", true } };

void setRootValue(TestDevice& device, const std::string& id, const std::string& value)
{
    for (auto& row : device.description()["rootList"])
        if (row["id"] == id)
            row["value"] = value;
}

}

TEST(RowSubtitles, RootRowsShowTitlesAndSubtitlesFromTheLocalizationBundle)
{
    TestDevice device;
    json page = dumpPage(device, kRegrouped, "root");
    struct Case {
        const char* row;
        const char* title;
        const char* subtitle;
    };
    for (auto c : { Case { "TWEAKS_CELL", "Tweaks", "Settings of your installed tweaks" },
             Case { "CONNECTIVITY_MODULE", "Connectivity", "Wi-Fi, Bluetooth, Cellular, Hotspot, VPN" },
             Case { "PASSCODE", "Face ID & Passcode", "Unlocking and your passcode" } }) {
        json cell = cellOf(page, c.row);
        EXPECT_EQ(cell["text"]["text"], c.title) << c.row;
        ASSERT_TRUE(cell["subtitle"].is_object()) << c.row;
        EXPECT_EQ(cell["subtitle"]["text"], c.subtitle) << c.row;
        EXPECT_FALSE(cell["subtitle"]["hidden"]);
        EXPECT_TRUE(cell["detail"]["hidden"]) << c.row;
        // The subtitle sits under the title, inside the row.
        EXPECT_GT(cell["subtitle"]["frame"][1].get<double>(), cell["text"]["frame"][1].get<double>()) << c.row;
    }
    // The family row gets no subtitle, not even one its reused cell showed for another row.
    EXPECT_EQ(cellOf(page, "Family")["subtitle"], nullptr);
    EXPECT_EQ(cellOf(page, "Family")["text"]["text"], "Family");
}

TEST(RowSubtitles, ConnectivityRowsShowTheirLiveStateAndHideTheValue)
{
    TestDevice device;
    setRootValue(device, "INTERNET_TETHERING", "Off");
    setRootValue(device, "MOBILE_DATA_SETTINGS_ID", "On");
    json page = dumpPage(device, { { "isTableIconsEnabled", true } }, "root");
    json bluetooth = cellOf(page, "Bluetooth");
    EXPECT_EQ(bluetooth["subtitle"]["text"], "On");
    EXPECT_EQ(bluetooth["detail"]["hidden"], true);
    EXPECT_EQ(cellOf(page, "INTERNET_TETHERING")["subtitle"]["text"], "Off");
    EXPECT_EQ(cellOf(page, "MOBILE_DATA_SETTINGS_ID")["subtitle"]["text"], "Mobile data is on");
    EXPECT_EQ(cellOf(page, "WIFI")["subtitle"]["text"], "Home Network");
}

TEST(RowSubtitles, TheVPNRowFollowsTheScopedProxySettings)
{
    struct Case {
        json scoped;
        const char* subtitle;
    };
    for (const auto& c : { Case { { "en0", "utun3" }, "Connected" }, Case { { "en0", "pdp_ip0" }, "Not Connected" },
             Case { { "ipsec0" }, "Connected" }, Case { json::array(), "Not Connected" } }) {
        TestDevice device;
        device.description()["network"]["scopedProxies"] = c.scoped;
        EXPECT_EQ(cellOf(dumpPage(device, json::object(), "root"), "VPN")["subtitle"]["text"], c.subtitle) << c.scoped;
    }
    TestDevice device;
    device.description()["network"].erase("scopedProxies");
    EXPECT_EQ(cellOf(dumpPage(device, json::object(), "root"), "VPN")["subtitle"]["text"], "Not Connected");
}

TEST(RowSubtitles, UntranslatedTitlesAreRelocalised)
{
    TestDevice device;
    auto& list = device.description()["rootList"];
    list.push_back({ { "id", "PASSWORDS_ROW" }, { "name", "TWEAKS_TITLE" }, { "cell", "PSLinkCell" } });
    list.push_back({ { "id", "MIXED_ROW" }, { "name", "Apps TITLE" }, { "cell", "PSLinkCell" } });
    list.push_back({ { "id", "UNKNOWN_KEY" }, { "name", "UNKNOWN_KEY" }, { "cell", "PSLinkCell" } });
    json page = dumpPage(device, json::object(), "root");
    EXPECT_EQ(cellOf(page, "PASSWORDS_ROW")["text"]["text"], "Tweaks");
    EXPECT_EQ(cellOf(page, "MIXED_ROW")["text"]["text"], "Apps TITLE");
    EXPECT_EQ(cellOf(page, "UNKNOWN_KEY")["text"]["text"], "UNKNOWN_KEY");
}

TEST(RowSubtitles, SubtitlesAppearOnlyOnTheRootList)
{
    TestDevice device;
    json page = dumpPage(device, kRegrouped, "connectivity");
    for (const auto& section : page["sections"])
        for (const auto& row : section["rows"])
            EXPECT_EQ(row["cell"]["subtitle"], nullptr) << row["id"];
}

TEST(RowSubtitles, AboutValuesAreReplacedEachInItsOwnRow)
{
    TestDevice device;
    json prefs = { { "isSoftwareVersionSpoofingEnabled", true }, { "customSoftwareVersionValue", "17.0" },
        { "isModelNameSpoofingEnabled", true }, { "customModelNameValue", "iPhone 15 Pro Max" },
        { "isModelNumberSpoofingEnabled", true }, { "customModelNumberValue", "MU2A3LL/A" },
        { "isSerialNumberSpoofingEnabled", true } };
    json page = dumpPage(device, prefs, "about");
    EXPECT_EQ(cellOf(page, "ProductVersion")["detail"]["text"], "17.0");
    EXPECT_EQ(cellOf(page, "ProductModelName")["detail"]["text"], "iPhone 15 Pro Max");
    EXPECT_EQ(cellOf(page, "ProductModel")["detail"]["text"], "MU2A3LL/A");
    // A switch without a value empties the row rather than showing the real serial number.
    EXPECT_EQ(cellOf(page, "SerialNumber")["detail"]["text"], "");
    EXPECT_EQ(cellOf(page, "NAME_CELL_ID")["detail"]["text"], "Jane's iPhone");
    EXPECT_EQ(cellOf(page, "SONGS")["detail"]["text"], "0");
    EXPECT_EQ(cellOf(dumpPage(device, json::object(), "about"), "ProductVersion")["detail"]["text"], "16.4");
}

TEST(RowSubtitles, BatteryHealthShowsTheReplacedMaximumCapacity)
{
    TestDevice device;
    json page = dumpPage(
        device, { { "isBatterySpoofingEnabled", true }, { "customBatterySpoofingValue", "100%" } }, "battery");
    EXPECT_EQ(cellOf(page, "Maximum Capacity")["detail"]["text"], "100%");
    EXPECT_EQ(cellOf(page, "PEAK_PERFORMANCE")["detail"]["text"], "Normal");
}

TEST(RowSubtitles, TheGeneralRowShowsStorageWithTheReplacedCapacity)
{
    struct Case {
        json prefs;
        const char* text;
    };
    for (const auto& c : { Case { json::object(), "37.0 GB of 64 GB Used" },
             Case { { { "isFakeStorageEnabled", true }, { "storageValue", 256 } }, "37.0 GB of 256 GB Used" } }) {
        TestDevice device;
        json prefs = c.prefs;
        prefs["isAmountOfStorageForGeneralEnabled"] = true;
        json general = cellOf(dumpPage(device, prefs, "root"), "General");
        EXPECT_EQ(general["detail"]["text"], c.text);
        EXPECT_EQ(general["subtitle"]["text"], c.text);
    }
}

TEST(RowSubtitles, TheWiFiRowShowsTheEn0Address)
{
    TestDevice device;
    json wifi = cellOf(dumpPage(device, { { "isIPForWifiCellEnabled", true } }, "root"), "WIFI");
    EXPECT_EQ(wifi["subtitle"]["text"], "192.168.1.23");
    EXPECT_EQ(wifi["detail"]["text"], "192.168.1.23");
    EXPECT_EQ(wifi["text"]["text"], "Wi-Fi");

    // An interface list the system cannot read leaves the row as the host shows it.
    TestDevice broken;
    broken.description()["network"]["interfaces"]
        = { { { "name", "en0" }, { "family", "ipv4" }, { "address", "999.1" } } };
    EXPECT_EQ(cellOf(dumpPage(broken, { { "isIPForWifiCellEnabled", true } }, "root"), "WIFI")["subtitle"]["text"],
        "Home Network");
}

// On a fresh install (an empty domain) each root row shows its own title with its description or
// state under it: a row titled with its identifier keeps that title, since the identifier's
// entry in the strings table is its description. The same holds without subtitles.
TEST(RowSubtitles, OnAFreshInstallEveryRootRowKeepsItsTitleBesideItsDescription)
{
    TestDevice device;
    json page = dumpPage(device, json::object(), "root");
    struct Case {
        const char* row;
        const char* title;
        const char* subtitle;
    };
    for (auto c : { Case { "Bluetooth", "Bluetooth", "On" }, Case { "Wallpaper", "Wallpaper", "Lock and Home Screen" },
             Case { "Exposure Notifications", "Exposure Notifications", "Exposure logging" },
             Case { "VPN", "VPN", "Not Connected" }, Case { "WIFI", "Wi-Fi", "Home Network" },
             Case { "General", "General", "About, Software Update, Storage" } }) {
        json cell = cellOf(page, c.row);
        EXPECT_EQ(cell["text"]["text"], c.title) << c.row;
        EXPECT_EQ(cell["subtitle"]["text"], c.subtitle) << c.row;
    }
    json plain = dumpPage(device, { { "tableViewLabelsEnabled", false } }, "root");
    for (const char* row : { "Bluetooth", "Wallpaper", "Exposure Notifications" })
        EXPECT_EQ(cellOf(plain, row)["text"]["text"], row);
}

// Without the localization bundle every lookup answers nothing; a row then keeps the title it
// has rather than lose its name. A title in Greek or Cyrillic capitals is no key of the strings
// table and is never looked up.
TEST(RowSubtitles, ALookupWithoutTextKeepsTheRowsTitle)
{
    TestDevice device;
    PackageWithout withoutTexts({ "/var/jb/Library/PreferenceBundles/TamarindLocalization.bundle" });
    auto& list = device.description()["rootList"];
    list.push_back({ { "id", "GREEK_ROW" }, { "name", "ΚΑΙΡΟΣ" }, { "cell", "PSLinkCell" } });
    list.push_back({ { "id", "CYRILLIC_ROW" }, { "name", "ПОЧТА" }, { "cell", "PSLinkCell" } });
    json page = dumpPage(device,
        { { "isCustomTableCellCustomizabilityEnabled", true }, { "isGeneralGroupingEnabled", true } }, "root");
    EXPECT_EQ(cellOf(page, "Bluetooth")["text"]["text"], "Bluetooth");
    EXPECT_EQ(cellOf(page, "VPN")["text"]["text"], "VPN");
    EXPECT_EQ(cellOf(page, "GENERAL_MODULE")["text"]["text"], "GENERAL_MODULE_TITLE");
    EXPECT_EQ(cellOf(page, "GREEK_ROW")["text"]["text"], "ΚΑΙΡΟΣ");
    EXPECT_EQ(cellOf(page, "CYRILLIC_ROW")["text"]["text"], "ПОЧТА");
    // Every named row, the tweak rows among them, still shows its name.
    for (const auto& section : page["sections"])
        for (const auto& row : section["rows"])
            if (!row["name"].get<std::string>().empty() && row["cell"].is_object() && row["cell"]["text"].is_object()) {
                EXPECT_FALSE(row["cell"]["text"]["text"].get<std::string>().empty()) << row["id"];
            }
}

// The family row shows its member count in the host's layout, also in a cell another root row
// used before: no hidden or see-through value, no title raised for a subtitle it does not have.
TEST(RowSubtitles, TheFamilyRowKeepsTheHostsLookInAReusedCell)
{
    TestDevice device;
    device.description()["family"] = { "Jane", "John", "Ava" };
    auto dumps = scriptDumps(device, { { "isFamilyEnabled", true }, { "isTableIconsEnabled", true } },
        "dump\nscroll 1500\nscroll -1500\ndump\nscroll 1500\nscroll -1500\ndump\n");
    ASSERT_EQ(dumps.size(), 3u);
    json fresh = cellOf(dumps[0], "Family");
    for (size_t i = 1; i < dumps.size(); ++i) {
        json family = cellOf(dumps[i], "Family");
        EXPECT_EQ(family["detail"]["text"], "3 Members") << i;
        EXPECT_EQ(family["detail"]["hidden"], false) << i;
        EXPECT_EQ(family["detail"]["color"], fresh["detail"]["color"]) << i;
        EXPECT_EQ(family["subtitle"], nullptr) << i;
        double titleTop = family["text"]["frame"][1].get<double>() - family["frame"][1].get<double>();
        double freshTop = fresh["text"]["frame"][1].get<double>() - fresh["frame"][1].get<double>();
        EXPECT_EQ(titleTop, freshTop) << i;
    }
    EXPECT_EQ(fresh["detail"]["text"], "3 Members");
    EXPECT_EQ(fresh["detail"]["hidden"], false);
}

// In the host's own 44-point rows (custom row height off) a root row's subtitle starts where its
// title ends; in rows tall enough it keeps its place 30 points above the bottom.
TEST(RowSubtitles, TitleAndSubtitleNeverOverlap)
{
    for (bool customHeight : { false, true }) {
        TestDevice device;
        json page = dumpPage(
            device, { { "isTableViewCellHeightEnabled", customHeight }, { "tableViewCellHeight", 70 } }, "root");
        for (const char* row : { "Wallpaper", "Bluetooth", "General", "PASSCODE" }) {
            json cell = cellOf(page, row);
            double rowTop = cell["frame"][1], rowHeight = cell["frame"][3];
            double titleBottom = cell["text"]["frame"][1].get<double>() + cell["text"]["frame"][3].get<double>();
            double subtitleTop = cell["subtitle"]["frame"][1];
            EXPECT_GE(subtitleTop, titleBottom) << row << " custom height " << customHeight;
            EXPECT_LE(subtitleTop + cell["subtitle"]["frame"][3].get<double>(), rowTop + rowHeight) << row;
            if (customHeight) {
                EXPECT_EQ(subtitleTop, rowTop + rowHeight - 30) << row;
            }
        }
    }
}
