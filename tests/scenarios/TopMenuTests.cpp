#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "SimHarness.h"

using nlohmann::json;

namespace {

json presentedTitles(const json& page)
{
    json titles = json::array();
    for (auto& controller : page["rootPage"]["presented"])
        titles.push_back(controller["title"]);
    return titles;
}

const json kRespring = json::array({ "sbreload" });
const json kSafeMode = json::array({ "killall", "-SEGV", "SpringBoard" });

}

// The gear sits at the right of the bar, opens its menu on a plain tap, and takes the menu colour
// only when the user asked for one (the stored colour missing, its fallback).
TEST(TopMenu, GearShowsTheMenuInItsColour)
{
    struct Case {
        json prefs;
        json tint;
    } cases[] = {
        { { { "isTopMenuEnabled", true } }, "#007AFFFF" },
        { { { "isTopMenuEnabled", true }, { "isCustomNavBarMenuColorEnabled", true } }, "#0B84FFFF" },
        { { { "isTopMenuEnabled", false } }, nullptr },
    };
    for (auto& c : cases) {
        TestDevice device;
        device.setPreferences(c.prefs);
        auto result = device.run({ "dump", "root" });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        json gear = result.json()["rootControls"]["topMenu"];
        if (c.tint.is_null()) {
            EXPECT_TRUE(gear.is_null()) << c.prefs;
            continue;
        }
        EXPECT_EQ(gear["tint"], c.tint) << c.prefs;
        // 26 by 25 points, at the bar's right margin.
        EXPECT_EQ(gear["frame"], json({ 348.0, 9.5, 26.0, 25.0 })) << c.prefs;
        EXPECT_EQ(gear["image"]["symbol"], "gear");
        EXPECT_EQ(gear["image"]["template"], true);
        EXPECT_EQ(gear["menu"],
            json({ { "title", "" }, { "entries", { "Respring", "Safe Mode" } }, { "primaryAction", true } }));
    }
}

// Without confirmation each entry spawns its tool at once, with exactly its argument vector.
TEST(TopMenu, EntriesSpawnTheirToolsAtOnceWithoutConfirmation)
{
    struct Case {
        const char* entry;
        json arguments;
    } cases[] = { { "Respring", kRespring }, { "Safe Mode", kSafeMode } };
    for (auto& c : cases) {
        TestDevice device;
        auto dumps
            = dumpsOf(runSteps(device, { { "isTopMenuEnabled", true }, { "isTopMenuConfirmationEnabled", false } },
                std::string("dump\nbutton menu\nmenu ") + c.entry + "\ndump\n"));
        ASSERT_EQ(dumps.size(), 2u);
        EXPECT_EQ(dumps[0]["spawned"], json::array());
        EXPECT_EQ(dumps[1]["spawned"], json::array({ c.arguments })) << c.entry;
        EXPECT_EQ(presentedTitles(dumps[1]), json::array()) << "an alert was shown";
    }
}

// With confirmation, "Cancel" closes the alert and spawns nothing; "Continue" spawns exactly one
// child.
TEST(TopMenu, CancelSpawnsNothingAndContinueExactlyOneChild)
{
    TestDevice device;
    auto dumps = dumpsOf(runSteps(device, { { "isTopMenuEnabled", true } },
        "button menu\nmenu Safe Mode\ndump\nalert Cancel\ndump\n"
        "button menu\nmenu Respring\ndump\nalert Continue\ndump\n"));
    ASSERT_EQ(dumps.size(), 4u);
    EXPECT_EQ(presentedTitles(dumps[0]), json::array({ "Go to Safe Mode?" }));
    EXPECT_EQ(dumps[0]["spawned"], json::array());
    EXPECT_EQ(presentedTitles(dumps[1]), json::array());
    EXPECT_EQ(dumps[1]["spawned"], json::array());
    EXPECT_EQ(presentedTitles(dumps[2]), json::array({ "Respring?" }));
    EXPECT_EQ(dumps[2]["spawned"], json::array());
    EXPECT_EQ(presentedTitles(dumps[3]), json::array());
    EXPECT_EQ(dumps[3]["spawned"], json::array({ kRespring }));
}

// A tool that is missing or cannot be executed is not run, and Settings goes on unchanged.
TEST(TopMenu, AToolThatCannotStartFailsSilently)
{
    TestDevice device;
    device.remove("/var/jb/usr/bin/sbreload");
    std::filesystem::permissions(device.file("/var/jb/usr/bin/killall"), std::filesystem::perms::owner_read);
    auto result = runSteps(device, { { "isTopMenuEnabled", true }, { "isTopMenuConfirmationEnabled", false } },
        "button menu\nmenu Respring\nbutton menu\nmenu Safe Mode\ndump\n");
    auto dumps = dumpsOf(result);
    ASSERT_EQ(dumps.size(), 1u);
    EXPECT_EQ(dumps[0]["spawned"], json::array());
    EXPECT_EQ(result.err, "");
}

// The menu steps say what is missing: no gear, no open menu, no such entry.
TEST(TopMenu, MenuStepsThatFindNothingAreOneLineErrors)
{
    struct Case {
        bool menuEnabled;
        const char* steps;
        const char* message;
    } cases[] = {
        { false, "button menu\n", "line 1: the root page shows no menu button\n" },
        { true, "menu Respring\n", "line 1: no menu is open\n" },
        { true, "button menu\nmenu Reboot\n", "line 2: the open menu has no entry \"Reboot\"\n" },
        { true, "button gear\n", "line 1: button expects account, search or menu\n" },
    };
    for (auto& c : cases) {
        TestDevice device;
        auto result = runSteps(device, { { "isTopMenuEnabled", c.menuEnabled } }, c.steps);
        EXPECT_EQ(result.exitCode, 1) << c.steps;
        EXPECT_EQ(result.err, std::string("tamarind-sim: ") + c.message) << c.steps;
    }
}

namespace {

bool near(std::array<int, 3> c, std::array<int, 3> expected)
{
    for (size_t i = 0; i < 3; ++i)
        if (std::abs(c[i] - expected[i]) > 24)
            return false;
    return true;
}

}

// The screenshot shows the gear in system blue, the account symbol's disc in system blue and
// the magnifying glass's ring in black, where the dump places them.
TEST(TopMenu, ScreenshotShowsTheGearAndTheFloatingButtons)
{
    TestDevice device;
    std::string shot = device.file("/tmp/root.png").string();
    auto result = runSteps(device, { { "isTopMenuEnabled", true } }, "dump\nrender " + shot + "\n");
    auto dumps = dumpsOf(result);
    ASSERT_EQ(dumps.size(), 1u);
    auto pixels = readScreenshot(shot);
    ASSERT_TRUE(pixels);
    double scale = device.description()["screen"]["scale"].get<double>();
    json controls = dumps[0]["rootControls"];
    auto frame = [&](const char* name) { return controls[name]["windowFrame"].get<std::vector<double>>(); };
    constexpr std::array<int, 3> kBlue { 0x00, 0x7A, 0xFF }, kBlack { 0, 0, 0 };
    // The gear's symbol is fitted into the 26 by 25 button; its ring lies a quarter of the
    // height right of the centre.
    auto gear = frame("topMenu");
    EXPECT_TRUE(near(pixels->at(gear[0] + 13 + 6.5, gear[1] + 12.5, scale), kBlue));
    // The account symbol's disc, above the head.
    auto account = frame("accountButton");
    EXPECT_TRUE(near(pixels->at(account[0] + 20, account[1] + 4, scale), kBlue));
    // The magnifier's ring, on its left side.
    auto search = frame("searchButton");
    EXPECT_TRUE(near(pixels->at(search[0] + 0.1 * 25, search[1] + 0.42 * 25, scale), kBlack));
}
