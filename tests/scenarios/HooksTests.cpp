#include <algorithm>
#include <gtest/gtest.h>

#include <algorithm>
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
    auto position
        = [&](const std::string& line) { return std::find(listed.begin(), listed.end(), line) - listed.begin(); };
    long reload = position("first\treplace\tPSUIPrefsListController\treloadSpecifiers");
    long specifiers = position("first\treplace\tPSUIPrefsListController\tspecifiers");
    long colors = position("first\tadd\tUINavigationBar\tupdateColors");
    ASSERT_LT(specifiers, static_cast<long>(listed.size()));
    EXPECT_LT(reload, specifiers);
    EXPECT_LT(specifiers, colors);
    EXPECT_LT(colors, static_cast<long>(listed.size()));
    // The first group ends with the module pages' rows; the second group's rows follow it.
    auto lastFirst = std::find_if(listed.rbegin(), listed.rend(), [](auto& line) { return line.starts_with("first\t"); });
    ASSERT_NE(lastFirst, listed.rend());
    EXPECT_EQ(*lastFirst, "first\treplace\tTMGeneralRootListController\tspecifiers");
    EXPECT_TRUE(std::all_of(lastFirst.base(), listed.end(), [](auto& line) { return line.starts_with("second\t"); }));
    // The cell styling's rows keep their order within the second group.
    auto at = [&](const std::string& line) { return std::find(listed.begin(), listed.end(), line) - listed.begin(); };
    EXPECT_LT(
        at("second\tproperty\tPSTableCell\tcustomDetailLabel"), at("second\treplace\tPSTableCell\tlayoutSubviews"));
    EXPECT_LT(
        at("second\treplace\tPSTableCell\tlayoutSubviews"), at("second\treplace\tUITableViewCell\tdidMoveToSuperview"));
    EXPECT_LT(at("second\treplace\tUITableViewCell\tdidMoveToSuperview"), static_cast<long>(listed.size()));

    auto asJson = device.run({ "hooks", "--json" });
    ASSERT_EQ(asJson.exitCode, 0) << asJson.err;
    json hooks = asJson.json();
    ASSERT_TRUE(hooks.is_array());
    ASSERT_EQ(hooks.size(), listed.size());
    EXPECT_EQ(hooks[static_cast<size_t>(specifiers)],
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
