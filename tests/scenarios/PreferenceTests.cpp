#include <gtest/gtest.h>

#include "SimHarness.h"

using nlohmann::json;

namespace {

// The value in force of one option of a pass, from `tamarind-sim options`.
json optionValue(const json& options, const char* pass, const std::string& key)
{
    for (auto& option : options[pass])
        if (option["key"] == key)
            return option["value"];
    ADD_FAILURE() << "no option " << key;
    return nullptr;
}

json options(TestDevice& device)
{
    auto result = device.run({ "options" });
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return result.json();
}

}

TEST(Preferences, AbsentKeysTakeTheirDefaults)
{
    TestDevice device;
    device.setPreferences(json::object());
    json o = options(device);
    for (auto& option : o["firstPass"])
        EXPECT_EQ(option["value"], option["default"]) << option["key"];
    for (auto& option : o["secondPass"])
        EXPECT_EQ(option["value"], option["default"]) << option["key"];
    EXPECT_EQ(optionValue(o, "firstPass", "accountImagePosition"), 0);
    EXPECT_EQ(optionValue(o, "firstPass", "xOff"), -50);
    EXPECT_EQ(optionValue(o, "secondPass", "storageValue"), 128);
}

TEST(Preferences, StoredValuesOfAnotherKindAreConvertedNotDefaulted)
{
    TestDevice device;
    device.setPreferences({ { "isFamilyEnabled", "NO" }, { "centerTitle", 0 }, { "isBannerEnabled", "YES" },
        { "tableViewCellHeight", "80" }, { "bannerHeight", 120.7 }, { "backgroundImageBlurValue", "0.5" },
        { "titleValue", 42 }, { "accountImagePosition", "3" }, { "isTopMenuEnabled", json::array({ 1 }) } });
    json o = options(device);
    EXPECT_EQ(optionValue(o, "firstPass", "isFamilyEnabled"), false);
    EXPECT_EQ(optionValue(o, "firstPass", "centerTitle"), false);
    EXPECT_EQ(optionValue(o, "secondPass", "centerTitle"), false);
    EXPECT_EQ(optionValue(o, "firstPass", "isBannerEnabled"), true);
    EXPECT_EQ(optionValue(o, "firstPass", "tableViewCellHeight"), 80);
    EXPECT_EQ(optionValue(o, "firstPass", "bannerHeight"), 120);
    EXPECT_DOUBLE_EQ(optionValue(o, "secondPass", "backgroundImageBlurValue").get<double>(), 0.5);
    EXPECT_EQ(optionValue(o, "firstPass", "accountImagePosition"), 3);
    // An array is no boolean: the typed getter reads it as false, not as the default.
    EXPECT_EQ(optionValue(o, "firstPass", "isTopMenuEnabled"), false);
    // Every user of a string setting treats it as text, so a number there counts as absent.
    EXPECT_EQ(optionValue(o, "firstPass", "titleValue"), nullptr);
}

TEST(Preferences, UnreadableDomainsBehaveAsEmpty)
{
    const std::string files[] = { "", "this is not a property list", "<?xml version=\"1.0\"?><plist><array><true/></array></plist>" };
    for (auto& contents : files) {
        TestDevice device;
        device.writeFile("/var/mobile/Library/Preferences/com.corvane.sorrelpreferences.plist", contents);
        json o = options(device);
        EXPECT_EQ(optionValue(o, "firstPass", "tweakEnabled"), true) << contents;
        EXPECT_EQ(optionValue(o, "firstPass", "tableViewCellHeight"), 66) << contents;
    }
}

TEST(Preferences, SettingsKeepTheirInitialValuesWithoutPreferenceLoader)
{
    TestDevice device;
    device.setPreferences({ { "isBannerEnabled", true } });
    device.remove("/var/jb/Library/MobileSubstrate/DynamicLibraries/PreferenceLoader.dylib");
    json o = options(device);
    EXPECT_EQ(optionValue(o, "firstPass", "tweakEnabled"), false);
    EXPECT_EQ(optionValue(o, "firstPass", "isBannerEnabled"), false);
    EXPECT_EQ(optionValue(o, "firstPass", "tableViewCellHeight"), 0);
}

TEST(CommandLine, BadInputGetsOneLineAndAFailingExit)
{
    TestDevice device;
    device.writeFile("/tmp/bad.plist", "not a plist");
    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        { { "--device", "/nonexistent/device", "dump", "root" }, "no device folder" },
        { { "--device", device.path().string(), "dump", "nowhere" }, "unknown page" },
        { { "--device", device.path().string(), "--prefs", device.file("/tmp/bad.plist").string(), "dump", "root" }, "not a property list" },
        { { "--device", device.path().string(), "--set", "novalue", "dump", "root" }, "KEY=VALUE" },
        { { "frobnicate" }, "unknown command" },
        { { "--device", device.path().string(), "script", "/nonexistent/script" }, "cannot read" },
    };
    for (auto& c : cases) {
        auto result = runSim(c.args);
        EXPECT_EQ(result.exitCode, 1) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    TestDevice broken;
    broken.writeFile("/device.json", "{ not json");
    auto result = runSim({ "--device", broken.path().string(), "dump", "root" });
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("not valid JSON"), std::string::npos) << result.err;
}

TEST(CommandLine, SetAndPrefsChangeOnlyTheRunsCopy)
{
    TestDevice device;
    device.setPreferences({ { "bannerHeight", 90 } });
    device.writePlist("/tmp/prefs.plist", { { "bannerHeight", 140 }, { "xOff", 7 } });
    auto result = device.run({ "--prefs", device.file("/tmp/prefs.plist").string(), "--set", "xOff=-3", "--set", "titleValue=Hi", "options" });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    json o = result.json();
    EXPECT_EQ(optionValue(o, "firstPass", "bannerHeight"), 140);
    EXPECT_EQ(optionValue(o, "firstPass", "xOff"), -3);
    EXPECT_EQ(optionValue(o, "firstPass", "titleValue"), "Hi");
    json again = options(device);
    EXPECT_EQ(optionValue(again, "firstPass", "bannerHeight"), 90) << "the device folder itself is never changed";
}
