#include <gtest/gtest.h>

#include <sstream>

#include "SimHarness.h"

using nlohmann::json;

namespace {

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

}

TEST(Hooks, ListWhatTheLibraryInstalledInInstallOrder)
{
    TestDevice device;
    device.setPreferences(json::object());
    auto plain = device.run({ "hooks" });
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    auto listed = lines(plain.out);
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(listed.front(), "first\treplace\tPSUIPrefsListController\treloadSpecifiers");
    EXPECT_EQ(listed.back(), "first\treplace\tTMGeneralRootListController\tspecifiers");

    auto asJson = device.run({ "hooks", "--json" });
    ASSERT_EQ(asJson.exitCode, 0) << asJson.err;
    json hooks = asJson.json();
    ASSERT_TRUE(hooks.is_array());
    ASSERT_EQ(hooks.size(), listed.size());
    EXPECT_EQ(hooks[3],
        (json { { "group", "first" }, { "kind", "replace" }, { "class", "PSUIPrefsListController" },
            { "selector", "specifiers" } }));
}

TEST(Hooks, NothingIsListedWhenNothingWasInstalled)
{
    TestDevice switchedOff;
    switchedOff.setPreferences({ { "tweakEnabled", false } });
    TestDevice withoutPreferenceLoader;
    withoutPreferenceLoader.remove("/var/jb/Library/MobileSubstrate/DynamicLibraries/PreferenceLoader.dylib");
    for (TestDevice* device : { &switchedOff, &withoutPreferenceLoader }) {
        auto result = device->run({ "hooks" });
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

TEST(Hooks, BadUseIsOneLineOnStandardError)
{
    TestDevice device;
    for (auto args :
        { std::vector<std::string> { "hooks", "--xml" }, std::vector<std::string> { "--no-tweak", "hooks" } }) {
        auto result = device.run(args);
        EXPECT_NE(result.exitCode, 0);
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_TRUE(result.out.empty());
    }
}
