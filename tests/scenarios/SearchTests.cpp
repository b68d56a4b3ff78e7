#include <gtest/gtest.h>

#include "SimHarness.h"

using nlohmann::json;

namespace {

bool barHidden(const json& page)
{
    return page["rootControls"]["searchBar"]["hidden"].get<bool>();
}

double offset(const json& page)
{
    return page["contentOffset"].get<double>();
}

}

// The first tap hides the bar and scrolls the list up by the bar's height, the second shows it
// with the list at its top: back where it started. A keyboard coming up shows a hidden bar.
TEST(Search, TwoTapsReturnToTheStartAndTheKeyboardShowsTheBar)
{
    TestDevice device;
    auto dumps = scriptDumps(device, json::object(),
        "dump\nbutton search\ndump\nbutton search\ndump\nbutton search\nkeyboard show\ndump\nkeyboard hide\ndump\n");
    ASSERT_EQ(dumps.size(), 5u);
    double height = dumps[0]["rootControls"]["searchBar"]["frame"][3].get<double>();
    ASSERT_GT(height, 0);
    EXPECT_FALSE(barHidden(dumps[0]));
    EXPECT_TRUE(barHidden(dumps[1]));
    EXPECT_EQ(offset(dumps[1]), offset(dumps[0]) + height);
    EXPECT_FALSE(barHidden(dumps[2]));
    EXPECT_EQ(offset(dumps[2]), offset(dumps[0]));
    EXPECT_FALSE(barHidden(dumps[3])) << "the keyboard did not bring the bar back";
    EXPECT_FALSE(barHidden(dumps[4]));
}

// Which settings build the search button, and what becomes of the bar: hidden for good (the
// keyboard does not bring it back), or visible and no longer toggled.
TEST(Search, SettingsDecideTheButtonAndTheBar)
{
    struct Case {
        json prefs;
        bool button;
        bool barHidden;
    } cases[] = {
        { json::object(), true, false },
        { { { "isSearchHidden", true } }, false, true },
        { { { "isSearchIconDisabled", true } }, false, false },
        { { { "stockiCloud", true } }, false, false },
    };
    for (auto& c : cases) {
        TestDevice device;
        auto dumps = scriptDumps(device, c.prefs, "dump\nkeyboard show\ndump\n");
        ASSERT_EQ(dumps.size(), 2u);
        EXPECT_EQ(!dumps[0]["rootControls"]["searchButton"].is_null(), c.button) << c.prefs;
        EXPECT_EQ(barHidden(dumps[0]), c.barHidden) << c.prefs;
        EXPECT_EQ(barHidden(dumps[1]), c.barHidden) << c.prefs;
    }
}

// The button's place follows its offsets, and its colour the style: black in light, white in
// dark, on the button and its image view alike.
TEST(Search, ButtonIsPlacedByItsOffsetsAndColouredByTheStyle)
{
    struct Case {
        json prefs;
        const char* style;
        json frame;
        const char* tint;
    } cases[] = {
        { json::object(), "light", { 295.0, 1.0, 25.0, 25.0 }, "#000000FF" },
        { { { "xOff2", -40 }, { "yOffset2", 12 } }, "dark", { 345.0, -12.0, 25.0, 25.0 }, "#FFFFFFFF" },
    };
    for (auto& c : cases) {
        TestDevice device;
        auto dumps = scriptDumps(device, c.prefs, "dump\n", { "--style", c.style });
        ASSERT_EQ(dumps.size(), 1u);
        json button = dumps[0]["rootControls"]["searchButton"];
        EXPECT_EQ(button["frame"], c.frame) << c.prefs;
        EXPECT_EQ(button["tint"], c.tint) << c.style;
        EXPECT_EQ(button["imageTint"], c.tint) << c.style;
        EXPECT_EQ(button["image"]["symbol"], "magnifyingglass");
        EXPECT_EQ(button["image"]["template"], true);
    }
}

// The field behind the text is rounded and clipped whatever the other settings; it can take a
// colour or disappear, the bar itself staying.
TEST(Search, FieldBackgroundIsRoundedColouredOrHidden)
{
    struct Case {
        json prefs;
        double radius;
        bool hidden;
        json color; // null: the host's own
    } cases[] = {
        { json::object(), 5, false, nullptr },
        { { { "searchBarCornerRadiusValue", 0 } }, 0, false, nullptr },
        { { { "isSearchBGHidden", true }, { "searchBarCornerRadiusValue", 12 } }, 12, true, nullptr },
        { { { "isCustomSearchBarColorEnabled", true } }, 5, false, "#8E8E93FF" },
    };
    for (auto& c : cases) {
        TestDevice device;
        auto dumps = scriptDumps(device, c.prefs, "dump\n");
        ASSERT_EQ(dumps.size(), 1u);
        json bar = dumps[0]["rootControls"]["searchBar"];
        EXPECT_EQ(bar["class"], "PSKeyboardNavigationSearchBar");
        EXPECT_FALSE(bar["hidden"].get<bool>()) << c.prefs;
        EXPECT_EQ(bar["fieldBackground"]["cornerRadius"], c.radius) << c.prefs;
        EXPECT_EQ(bar["fieldBackground"]["masksToBounds"], true) << c.prefs;
        EXPECT_EQ(bar["fieldBackground"]["hidden"], c.hidden) << c.prefs;
        if (!c.color.is_null())
            EXPECT_EQ(bar["fieldBackground"]["color"], c.color) << c.prefs;
        else
            EXPECT_NE(bar["fieldBackground"]["color"], "#8E8E93FF") << c.prefs;
    }
}
