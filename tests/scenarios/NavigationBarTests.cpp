#include <gtest/gtest.h>

#include "SimHarness.h"

using nlohmann::json;

namespace {

const json kCustomBar = { { "isCustomNavBarColor", true }, { "colorNavbarText", "FF0000" },
    { "colorNavbarLight", "#ffe0b0" }, { "colorNavbarDark", "203060CC" } };

}

// The bar is clear while the page rests at its top; scrolled, the standard appearance's colour
// shows, and a change of style recolours it through the bar's trait change.
TEST(NavigationBar, CustomColoursFollowTheStyle)
{
    TestDevice device;
    auto dumps = scriptDumps(device, kCustomBar, "dump\nscroll 300\ndump\nstyle dark\ndump\nstyle light\ndump\n");
    ASSERT_EQ(dumps.size(), 4u);
    EXPECT_EQ(dumps[0]["navigationBar"]["background"], nullptr);
    EXPECT_EQ(dumps[0]["navigationBar"]["titleColor"], "#FF0000FF");
    EXPECT_EQ(dumps[1]["navigationBar"]["background"], "#FFE0B0FF");
    EXPECT_EQ(dumps[1]["navigationBar"]["titleHidden"], false);
    EXPECT_EQ(dumps[2]["navigationBar"]["background"], "#203060CC");
    EXPECT_EQ(dumps[2]["navigationBar"]["titleColor"], "#FF0000FF");
    EXPECT_EQ(dumps[3]["navigationBar"]["background"], "#FFE0B0FF");
}

// Whatever is stored that is not a colour gives the white fallback, and the page still draws.
TEST(NavigationBar, StoredValuesThatAreNoColourFallBackToWhite)
{
    for (json stored :
        { json(nullptr), json(16711680), json::array({ "FF0000" }), json("12345"), json("GGGGGG"), json("") }) {
        TestDevice device;
        json prefs = { { "isCustomNavBarColor", true } };
        if (!stored.is_null()) {
            prefs["colorNavbarText"] = stored;
            prefs["colorNavbarLight"] = stored;
            prefs["colorNavbarDark"] = stored;
        }
        auto dumps = scriptDumps(
            device, prefs, "scroll 300\ndump\nstyle dark\ndump\nrender " + device.file("/tmp/bar.png").string() + "\n");
        ASSERT_EQ(dumps.size(), 2u) << stored.dump();
        for (auto& page : dumps) {
            EXPECT_EQ(page["navigationBar"]["titleColor"], "#FFFFFFFF") << stored.dump();
            EXPECT_EQ(page["navigationBar"]["background"], "#FFFFFFFF") << stored.dump();
        }
        EXPECT_TRUE(std::filesystem::file_size(device.file("/tmp/bar.png")) > 0) << stored.dump();
    }
}

TEST(NavigationBar, WithoutCustomColoursTheBarKeepsItsOwnLook)
{
    TestDevice device;
    auto dumps = scriptDumps(device, { { "colorNavbarText", "FF0000" } }, "scroll 300\ndump\n");
    ASSERT_EQ(dumps.size(), 1u);
    EXPECT_NE(dumps[0]["navigationBar"]["titleColor"], "#FF0000FF");
}

// Centred or not, the large title keeps its height; centred, its middle is the bar's.
TEST(NavigationBar, LargeTitlesAreCentredOnEveryPageKeepingTheirHeight)
{
    json frames[2];
    for (bool centred : { false, true }) {
        TestDevice device;
        auto dumps = scriptDumps(device,
            { { "centerTitle", centred }, { "isCustomTableCellCustomizabilityEnabled", true },
                { "isConnectivityGroupingEnabled", true } },
            "dump\nopen connectivity\ndump\n");
        ASSERT_EQ(dumps.size(), 2u);
        for (auto& page : dumps) {
            json large = page["navigationBar"]["largeTitle"];
            if (page["page"] == "root") {
                ASSERT_EQ(large["shown"], true);
                frames[centred] = large["frame"];
            }
            if (!large.contains("frame"))
                continue;
            double middle = large["frame"][0].get<double>() + large["frame"][2].get<double>() / 2;
            double barMiddle = page["navigationBar"]["frame"][2].get<double>() / 2;
            if (centred)
                EXPECT_EQ(middle, barMiddle) << page["page"];
            else
                EXPECT_EQ(large["frame"][0], 16.0) << page["page"];
        }
    }
    // A centred title label is also centred vertically in its title view, a few points from
    // where the host puts it; its height stays.
    EXPECT_NEAR(frames[0][1].get<double>(), frames[1][1].get<double>(), 4);
    EXPECT_EQ(frames[0][3], frames[1][3]);
}

TEST(NavigationBar, SmallTitleOnEveryPage)
{
    TestDevice device;
    auto dumps = scriptDumps(device,
        { { "isSmallTitle", true }, { "isCustomTableCellCustomizabilityEnabled", true },
            { "isConnectivityGroupingEnabled", true } },
        "dump\nopen connectivity\ndump\n");
    ASSERT_EQ(dumps.size(), 2u);
    for (auto& page : dumps) {
        EXPECT_EQ(page["navigationBar"]["largeTitle"]["shown"], false) << page["page"];
        EXPECT_EQ(page["navigationBar"]["titleHidden"], false) << page["page"];
    }
    EXPECT_EQ(dumps[0]["navigationBar"]["title"], "Settings");
}

TEST(NavigationBar, ScrollIndicatorIsHiddenOrColouredAndHidingWins)
{
    struct Case {
        json prefs;
        bool hidden;
        const char* color;
    } cases[] = {
        { json::object(), false, "#8E8E93FF" },
        { { { "isCustomScrollbarColorEnabled", true }, { "colorScrollbar", "00FF00" } }, false, "#00FF00FF" },
        { { { "isCustomScrollbarColorEnabled", true } }, false, "#8E8E93FF" },
        { { { "isCustomScrollbarColorEnabled", true }, { "colorScrollbar", "00FF00" },
              { "isScrollBarHiddenEnabled", true } },
            true, "#8E8E93FF" },
    };
    for (auto& c : cases) {
        TestDevice device;
        auto dumps = scriptDumps(device, c.prefs, "dump\n");
        ASSERT_EQ(dumps.size(), 1u);
        json bars = dumps[0]["scrollIndicator"];
        ASSERT_EQ(bars.size(), 1u) << c.prefs.dump();
        EXPECT_EQ(bars[0]["hidden"], c.hidden) << c.prefs.dump();
        EXPECT_EQ(bars[0]["color"], c.color) << c.prefs.dump();
    }
}
