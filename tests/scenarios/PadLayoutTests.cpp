#include <gtest/gtest.h>

#include <functional>

#include "SimHarness.h"

// The library's rules that read the idiom or a width, on the iPad, where the root list lives in a
// primary column 320 points wide beside a secondary column 500 points wide on an 820-point
// screen. Each rule must measure its column, not the screen.

using nlohmann::json;

namespace {

struct PadCase {
    const char* name;
    json prefs;
    // Script steps; the checker gets the last page they dumped.
    const char* steps;
    std::function<void(const json&)> check;
};

json frameOf(const json& value) { return value["frame"]; }
double midX(const json& frame) { return frame[0].get<double>() + frame[2].get<double>() / 2; }

const json& footerOf(const json& page) { return page["sections"].back()["footer"]; }

const json kStock = { { "isCustomTableCellCustomizabilityEnabled", true }, { "isConnectivityGroupingEnabled", true } };

json with(json prefs, const json& more)
{
    prefs.update(more);
    return prefs;
}

const PadCase kCases[] = {
    { "footer says iPadOS and spans the column",
        with(kStock, { { "isDeviceIDEnabled", true }, { "isWhatJailbreakEnabled", true } }), "dump\n",
        [](const json& page) {
            const json& footer = footerOf(page);
            EXPECT_EQ(footer["line"]["text"], "Jane's iPad, iPadOS 16.4");
            EXPECT_EQ(footer["frame"][2], 320);
            EXPECT_EQ(midX(footer["line"]["frame"]), 160);
            // The jailbreak's icon ends where the column's footer ends.
            EXPECT_EQ(footer["icon"]["frame"][0].get<double>() + footer["icon"]["frame"][2].get<double>(), 320);
        } },
    { "account button placed from the column's wrapper width", with(kStock, { { "xOff", -120 }, { "yOffset", 5 } }),
        "dump\n",
        [](const json& page) {
            // x = 320 - 120 - 20, y = 0 - 5, inside the root table of the primary column.
            EXPECT_EQ(frameOf(page["rootControls"]["accountButton"]), json({ 180, -5, 40, 40 }));
            EXPECT_LT(page["rootControls"]["accountButton"]["windowFrame"][0].get<double>() + 40, 320);
        } },
    { "search button placed from the column's wrapper width", with(kStock, { { "xOff2", -30 }, { "yOffset2", -1 } }),
        "dump\n",
        [](const json& page) {
            EXPECT_EQ(frameOf(page["rootControls"]["searchButton"]), json({ 285, 1, 25, 25 }));
        } },
    { "banner offset moves both buttons down", with(kStock, { { "isBannerEnabled", true }, { "bannerHeight", 120 } }),
        "dump\n",
        [](const json& page) {
            EXPECT_EQ(frameOf(page["rootControls"]["accountButton"]), json({ 250, 115, 40, 40 }));
            // The banner row is as wide as a cell of the column.
            EXPECT_EQ(page["banner"]["frame"], json({ 0, 0, 318, 120 }));
        } },
    { "large title centred in its column", kStock, "dump\n",
        [](const json& page) {
            EXPECT_EQ(page["navigationBar"]["largeTitle"]["shown"], true);
            EXPECT_EQ(midX(page["navigationBar"]["largeTitle"]["frame"]), 160);
        } },
    { "large title at the column's leading margin when not centred", with(kStock, { { "centerTitle", false } }),
        "dump\n",
        [](const json& page) { EXPECT_EQ(page["navigationBar"]["largeTitle"]["frame"][0], 16); } },
    { "side insets on the root list", with(kStock, { { "tableViewCellInset", 20 } }), "dump\n",
        [](const json& page) {
            EXPECT_EQ(page["table"]["sectionInset"], json({ 0, 20, 0, 20 }));
            json cell = cellOf(page, "CONNECTIVITY_MODULE");
            EXPECT_EQ(cell["frame"][0], 20);
            EXPECT_EQ(cell["frame"][2], 280);
        } },
    { "side insets on the page beside", with(kStock, { { "tableViewCellInset", 20 } }),
        "open connectivity\ndump\n",
        [](const json& page) {
            EXPECT_EQ(page["table"]["sectionInset"], json({ 0, 20, 0, 20 }));
            json cell = cellOf(page, "WIFI");
            EXPECT_EQ(cell["frame"][0], 340);
            EXPECT_EQ(cell["frame"][2], 460);
        } },
    { "search bar within the column", kStock, "dump\n",
        [](const json& page) {
            EXPECT_EQ(page["rootControls"]["searchBar"]["frame"], json({ 0, 96, 320, 52 }));
            EXPECT_EQ(page["rootControls"]["searchBar"]["hidden"], false);
        } },
    { "search bar hidden", with(kStock, { { "isSearchHidden", true } }), "dump\n",
        [](const json& page) {
            EXPECT_EQ(page["rootControls"]["searchBar"]["hidden"], true);
            EXPECT_EQ(page["rootControls"]["searchButton"], nullptr);
        } },
    { "search button hides the column's bar", kStock, "button search\ndump\n",
        [](const json& page) { EXPECT_EQ(page["rootControls"]["searchBar"]["hidden"], true); } },
    // The pull-down inset is the root bar's height plus the iPad's 24-point status bar.
    { "pulling down pins the bars' height", kStock, "scroll -400\ndump\n",
        [](const json& page) { EXPECT_EQ(page["contentInset"], json({ 172, 0, 0, 0 })); } },
    { "centred account labels span the column's cell",
        with(kStock, { { "stockiCloud", true }, { "isStockiCloudPfpHidden", true }, { "isCenterLabels", true } }),
        "dump\n",
        [](const json& page) {
            const json& row = page["rootControls"]["accountCell"];
            EXPECT_EQ(row["frame"][2], 318);
            EXPECT_EQ(row["title"]["frame"][0], row["frame"][0]);
            EXPECT_EQ(row["title"]["frame"][2], 318);
            EXPECT_EQ(midX(row["subtitle"]["frame"]), midX(row["frame"]));
        } },
    // The blur layer takes the main screen's bounds even in a column; the column's table clips
    // it.
    { "background blur sized to the screen", with(kStock, { { "isCustomBackgroundImageEnabled", true } }), "dump\n",
        [](const json& page) {
            const json& background = page["table"]["backgroundView"];
            EXPECT_EQ(background["frame"], json({ 0, 0, 320, 1180 }));
            EXPECT_EQ(background["subviews"][0]["frame"], json({ 0, 0, 820, 1180 }));
        } },
    { "top menu in the root column's bar", with(kStock, { { "isTopMenuEnabled", true } }), "dump\n",
        [](const json& page) {
            const json& menu = page["rootControls"]["topMenu"];
            ASSERT_TRUE(menu.is_object());
            EXPECT_LE(menu["windowFrame"][0].get<double>() + menu["windowFrame"][2].get<double>(), 320);
            EXPECT_EQ(menu["menu"]["entries"], json({ "Respring", "Safe Mode" }));
        } },
    { "slider entry on a pane beside the list", with(kStock, { { "isManualSliderAdjustment", true } }),
        "open quick-notes\ndouble-tap NOTE_OPACITY\ndump\n",
        [](const json& page) {
            EXPECT_EQ(page["splitView"]["secondaryColumn"]["page"], "PLLocalizedListController");
            EXPECT_EQ(page["alert"]["title"], "Set Slider Value");
        } },
    { "device information on the About page beside the list",
        with(kStock, { { "uptimeCellEnabled", true }, { "isGeneralGroupingEnabled", true } }), "open about\ndump\n",
        [](const json& page) {
            EXPECT_EQ(page["class"], "PSGAboutController");
            EXPECT_GE(indexOf(flatRowIDs(page), "DeviceUptime"), 0);
            EXPECT_GE(cellOf(page, "ProductModelName")["frame"][0].get<double>(), 320);
        } },
};

}

TEST(PadLayout, RulesThatReadAWidthMeasureTheirColumn)
{
    for (auto& c : kCases) {
        SCOPED_TRACE(c.name);
        TestDevice device("ipad");
        auto dumps = scriptDumps(device, c.prefs, c.steps);
        ASSERT_FALSE(dumps.empty());
        // A dump without the part a case reads fails that case alone.
        try {
            c.check(dumps.back());
        } catch (const json::exception& e) {
            ADD_FAILURE() << e.what();
        }
    }
}

// The root list of an iPad: no cellular rows, the iPad's own rows, and the library's rows and
// subtitles as on a phone.
TEST(PadLayout, TheRootListIsAnIPadsWithTheLibrarysRows)
{
    TestDevice device("ipad");
    json page = dumpPage(device, with(kStock, { { "groupTweaksEnabled", true }, { "groupThirdPartyAppsEnabled", true },
                                          { "groupSystemAppsEnabled", true } }),
        "root");
    auto ids = flatRowIDs(page);
    for (const char* absent : { "MOBILE_DATA_SETTINGS_ID", "INTERNET_TETHERING", "EMERGENCY_SOS", "Exposure Notifications" })
        EXPECT_EQ(indexOf(ids, absent), -1) << absent;
    for (const char* present : { "APPLE_PENCIL", "PASSCODE", "TWEAKS_CELL", "APPS_CELL", "SYSTEM_APPS_CELL" })
        EXPECT_GE(indexOf(ids, present), 0) << present;
    EXPECT_EQ(cellOf(page, "TWEAKS_CELL")["subtitle"]["text"], "Settings of your installed tweaks");
}
