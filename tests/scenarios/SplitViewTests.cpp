#include <gtest/gtest.h>

#include "SimHarness.h"

// Settings on the iPad: the root list in the primary column, the page a root row opens in the
// secondary column beside it. Every dump says which page each column shows.

using nlohmann::json;

namespace {

const json kModulesGrouped = { { "isCustomTableCellCustomizabilityEnabled", true }, { "isConnectivityGroupingEnabled", true },
    { "isNotificationsGroupingEnabled", true }, { "isGeneralGroupingEnabled", true } };

const json& primaryOf(const json& page) { return page["splitView"]["primaryColumn"]; }
const json& secondaryOf(const json& page) { return page["splitView"]["secondaryColumn"]; }

json& rootRow(TestDevice& device, const std::string& id)
{
    for (auto& r : device.description()["rootList"])
        if (r.value("id", "") == id)
            return r;
    throw std::runtime_error("no row " + id);
}

}

TEST(SplitView, ColumnsShareTheScreenAndTheRootListStaysInThePrimaryOne)
{
    TestDevice device("ipad");
    json page = dumpPage(device, kModulesGrouped, "root");
    EXPECT_EQ(primaryOf(page)["frame"], json({ 0, 0, 320, 1180 }));
    EXPECT_EQ(primaryOf(page)["page"], "PSUIPrefsListController");
    EXPECT_EQ(secondaryOf(page)["frame"], json({ 320, 0, 500, 1180 }));
    // Nothing is chosen at launch, so the secondary column shows an empty page.
    EXPECT_EQ(secondaryOf(page)["empty"], true);
    EXPECT_EQ(primaryOf(page)["selectedRow"], nullptr);
    // The root page's bar spans its column only.
    EXPECT_EQ(page["navigationBar"]["frame"], json({ 0, 24, 320, 148 }));
}

TEST(SplitView, ARootRowReplacesThePageBesideAndStaysSelected)
{
    TestDevice device("ipad");
    auto dumps = scriptDumps(device, kModulesGrouped,
        "tap CONNECTIVITY_MODULE\ndump\ntap Bluetooth\ndump\ntap NOTIFICATIONS_MODULE\ndump\n"
        "tap GENERAL_MODULE\ntap General\nback\ndump\nback\ndump\n");
    ASSERT_EQ(dumps.size(), 5u);
    struct Expected {
        const char* page;
        size_t depth;
        const char* selected;
    } expected[] = {
        { "ConnectivityRootListController", 1, "CONNECTIVITY_MODULE" },
        // A row of the page beside is pushed within the secondary column.
        { "BTSDevicesController", 2, "CONNECTIVITY_MODULE" },
        // Another root row replaces the whole secondary stack.
        { "TMNotificationsRootListController", 1, "NOTIFICATIONS_MODULE" },
        // back pops the secondary column, and stops at its first page.
        { "TMGeneralRootListController", 1, "GENERAL_MODULE" },
        { "TMGeneralRootListController", 1, "GENERAL_MODULE" },
    };
    for (size_t i = 0; i < dumps.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(secondaryOf(dumps[i])["page"], expected[i].page);
        EXPECT_EQ(secondaryOf(dumps[i])["depth"], expected[i].depth);
        EXPECT_EQ(primaryOf(dumps[i])["page"], "PSUIPrefsListController");
        EXPECT_EQ(primaryOf(dumps[i])["selectedRow"], expected[i].selected);
        // The dump is of the page a person looks at: the one beside the list.
        EXPECT_EQ(dumps[i]["class"], expected[i].page);
        EXPECT_EQ(dumps[i]["navigationBar"]["frame"][0], 320);
    }
}

TEST(SplitView, OpeningAPageByNameStartsFromTheRootListAlone)
{
    TestDevice device("ipad");
    auto dumps = scriptDumps(device, kModulesGrouped, "advance 1\nopen about\ndump\nopen root\ndump\n");
    ASSERT_EQ(dumps.size(), 2u);
    EXPECT_EQ(secondaryOf(dumps[0])["page"], "PSGAboutController");
    EXPECT_EQ(secondaryOf(dumps[0])["depth"], 3);
    EXPECT_EQ(primaryOf(dumps[0])["selectedRow"], "GENERAL_MODULE");
    EXPECT_EQ(secondaryOf(dumps[1])["empty"], true);
    EXPECT_EQ(primaryOf(dumps[1])["selectedRow"], nullptr);
    EXPECT_EQ(dumps[1]["class"], "PSUIPrefsListController");
}

// A root row whose page cannot be built leaves the secondary column empty, not showing the page
// chosen before, and the simulator says why in one line; the run goes on.
TEST(SplitView, ARowWhosePageCannotBeBuiltLeavesTheColumnEmpty)
{
    struct Case {
        const char* name;
        const char* detail; // the page class the Screen Time row names
        const char* says;
    } cases[] = {
        { "missing class", "NoSuchController", "Settings has no page class for it" },
        { "not a page", "NSObject", "its page class NSObject is not a page" },
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestDevice device("ipad");
        rootRow(device, "SCREEN_TIME")["detail"] = c.detail;
        device.setPreferences(json::object());
        auto result = device.runScript("tap General\ndump\ntap SCREEN_TIME\ndump\n");
        ASSERT_EQ(result.exitCode, 0) << result.err;
        auto dumps = result.jsonLines();
        ASSERT_EQ(dumps.size(), 2u);
        EXPECT_EQ(secondaryOf(dumps[0])["page"], "PSGGeneralController");
        EXPECT_EQ(secondaryOf(dumps[1])["empty"], true);
        EXPECT_EQ(secondaryOf(dumps[1])["page"], nullptr);
        EXPECT_EQ(primaryOf(dumps[1])["selectedRow"], "SCREEN_TIME");
        std::string line = "tamarind-sim: warning: root row SCREEN_TIME opens no page beside the list: " + std::string(c.says) + "\n";
        EXPECT_NE(result.err.find(line), std::string::npos) << result.err;
    }
}

TEST(SplitView, APageThatCannotBeReachedIsOneLineAndAFailure)
{
    TestDevice device("ipad");
    rootRow(device, "General")["detail"] = "NoSuchController";
    device.setPreferences(json::object());
    for (const char* page : { "general", "no-such-page" }) {
        SCOPED_TRACE(page);
        auto result = device.run({ "dump", page });
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_FALSE(result.signalled);
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
}

TEST(SplitView, SwitchRowsOnTheRootListLeaveThePageBesideAlone)
{
    TestDevice device("ipad");
    auto dumps = scriptDumps(device, json::object(), "tap General\ntap AIRPLANE_MODE\ndump\n");
    ASSERT_EQ(dumps.size(), 1u);
    EXPECT_EQ(secondaryOf(dumps[0])["page"], "PSGGeneralController");
    EXPECT_EQ(primaryOf(dumps[0])["selectedRow"], "General");
}

TEST(SplitView, APhoneHasNoSplitView)
{
    TestDevice device;
    json page = dumpPage(device, json::object(), "root");
    EXPECT_FALSE(page.contains("splitView"));
}
