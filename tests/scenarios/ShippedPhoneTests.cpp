#include <gtest/gtest.h>

#include "SimHarness.h"

// The phones and the iPad the project ships, each a Settings of its own system version and screen
// (the iPad's in a split view, its pages beside the root list), pass the same checks: the root page and its subtitles, device information, the account and top menu,
// the banner, the slider entry and a drawing without empty pages. Each runs on the device's own
// preferences domain, with only what a check needs added.

using nlohmann::json;
using Ids = std::vector<std::string>;

namespace {

struct Phone {
    const char* folder;
    const char* name;
    const char* system;
    const char* version;
    double width, height, scale;
};

const Phone kPhones[] = {
    { "ios14", "Sam's iPhone", "iOS", "14.8", 375, 667, 2 },
    { "ios15", "Alex's iPhone", "iOS", "15.1", 390, 844, 3 },
    { "default", "Jane's iPhone", "iOS", "16.4", 390, 844, 3 },
    { "ipad", "Jane's iPad", "iPadOS", "16.4", 820, 1180, 2 },
};

// The options that set these ("KEY=VALUE" each) on the device's own preferences domain.
std::vector<std::string> setting(const std::vector<std::string>& sets)
{
    std::vector<std::string> args;
    for (auto& set : sets)
        args.insert(args.end(), { "--set", set });
    return args;
}

// Runs the device on its own preferences domain with these options set.
SimResult runWith(TestDevice& device, const std::vector<std::string>& sets, const std::vector<std::string>& command)
{
    std::vector<std::string> args = setting(sets);
    args.insert(args.end(), command.begin(), command.end());
    return device.run(args);
}

json pageOf(const SimResult& result)
{
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return result.json();
}

// Every page a script dumped on the device's own preferences domain with these options set.
std::vector<json> dumpsWith(TestDevice& device, const std::vector<std::string>& sets, const std::string& steps)
{
    return dumpsOf(device.runScript(steps, setting(sets)));
}

}

// The regrouped root list: modules and lists in place, every row titled, every ordinary row with
// a subtitle from the library's texts.
TEST(ShippedPhones, RootPageIsRegroupedWithTitlesAndSubtitles)
{
    for (auto& phone : kPhones) {
        SCOPED_TRACE(phone.folder);
        TestDevice device(phone.folder);
        json page = pageOf(device.run({ "dump", "root" }));
        Ids ids = flatRowIDs(page);
        for (const char* id : { "APPLE_ACCOUNT", "TWEAKS_CELL", "APPS_CELL", "SYSTEM_APPS_CELL", "CONNECTIVITY_MODULE",
                 "NOTIFICATIONS_MODULE", "GENERAL_MODULE", "PASSCODE" })
            EXPECT_GE(indexOf(ids, id), 0) << id;
        for (const char* id : { "WIFI", "Bluetooth", "General", "com.apple.mobilemail", "com.spotify.client" })
            EXPECT_EQ(indexOf(ids, id), -1) << id << " stays on the root list";
        for (const char* id : { "TWEAKS_CELL", "CONNECTIVITY_MODULE", "NOTIFICATIONS_MODULE", "GENERAL_MODULE", "PASSCODE" }) {
            json cell = cellOf(page, id);
            EXPECT_FALSE(cell["text"]["text"].get<std::string>().empty()) << id;
            ASSERT_TRUE(cell["subtitle"].is_object()) << id;
            EXPECT_FALSE(cell["subtitle"]["text"].get<std::string>().empty()) << id;
        }
    }
}

// The footer names the device and its system, the detected jailbreak's icon stands beside it,
// the About page counts the uptime and shows the system's version.
TEST(ShippedPhones, DeviceInformationNamesEachPhone)
{
    for (auto& phone : kPhones) {
        SCOPED_TRACE(phone.folder);
        TestDevice device(phone.folder);
        std::vector<std::string> sets { "isDeviceIDEnabled=true", "isWhatJailbreakEnabled=true" };
        json footer = pageOf(runWith(device, sets, { "dump", "root" }))["sections"].back()["footer"];
        EXPECT_EQ(footer["line"]["text"], std::string(phone.name) + ", " + phone.system + " " + phone.version);
        EXPECT_EQ(footer["icon"]["image"], true);
        json about = pageOf(runWith(device, sets, { "dump", "about" }));
        EXPECT_EQ(cellOf(about, "ProductVersion")["detail"]["text"], phone.version);
        EXPECT_GE(indexOf(flatRowIDs(about), "DeviceUptime"), 0);
    }
}

// The account button opens the Apple Account page and the top menu's tools are there to start.
TEST(ShippedPhones, AccountButtonAndTopMenuWork)
{
    for (auto& phone : kPhones) {
        SCOPED_TRACE(phone.folder);
        TestDevice device(phone.folder);
        auto pages = dumpsWith(device, { "stockiCloud=false", "isTopMenuEnabled=true" },
            "button menu\nmenu Respring\nalert Continue\ndump\nbutton account\ndump\n");
        ASSERT_EQ(pages.size(), 2u);
        EXPECT_EQ(pages[0]["spawned"], json::array({ json::array({ "sbreload" }) }));
        EXPECT_EQ(pages[1]["title"], "Jane Appleseed");
    }
}

// The banner heads the root list, and a double tap on the Quick Notes pane's slider opens the
// value entry.
TEST(ShippedPhones, BannerAndSliderEntry)
{
    for (auto& phone : kPhones) {
        SCOPED_TRACE(phone.folder);
        TestDevice device(phone.folder);
        std::vector<std::string> sets { "isBannerEnabled=true", "isManualSliderAdjustment=true" };
        EXPECT_EQ(flatRowIDs(pageOf(runWith(device, sets, { "dump", "root" }))).front(), "TMBannerCell");
        auto pages = dumpsWith(device, sets, "open quick-notes\ndouble-tap NOTE_OPACITY\ndump\n");
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_EQ(pages[0]["alert"]["title"], "Set Slider Value");
    }
}

// A drawing of the root page has the device's size in pixels, and a home indicator (black on the
// light page) only on the phones without a home button.
TEST(ShippedPhones, DrawingHasTheScreensSizeAndItsBars)
{
    for (auto& phone : kPhones) {
        SCOPED_TRACE(phone.folder);
        TestDevice device(phone.folder);
        auto out = device.path().parent_path() / "root.png";
        auto result = device.run({ "--style", "light", "render", "root", "--out", out.string() });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        auto shot = readScreenshot(out);
        ASSERT_TRUE(shot);
        EXPECT_EQ(shot->width, unsigned(phone.width * phone.scale));
        EXPECT_EQ(shot->height, unsigned(phone.height * phone.scale));
        bool homeButton = phone.height / phone.width < 2;
        auto indicator = shot->at(phone.width / 2, phone.height - 10.5, phone.scale);
        EXPECT_EQ(indicator == (std::array<int, 3> { 0, 0, 0 }), !homeButton);
    }
}
