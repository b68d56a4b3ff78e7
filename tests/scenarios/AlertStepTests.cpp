#include <gtest/gtest.h>

#include "SimHarness.h"

using nlohmann::json;

namespace {

constexpr const char* kProfileRow = "FollowUpList_com.apple.managedconfiguration.ios-purgatory";

// A device whose root list offers a downloaded profile: tapping its row presents the host's
// "Install Profile" sheet, an alert with the buttons "Install" and "Cancel".
void offerProfile(TestDevice& device)
{
    device.description()["followups"] = json::array({ { { "id", kProfileRow }, { "name", "Profile Downloaded" },
        { "cell", "PSLinkCell" }, { "detail", "SettingsDetailController" } } });
    device.description()["purgatoryProfile"] = "Work Wi-Fi";
}

}

// Pressing a button closes the alert it belongs to and leaves the controller that presented it.
TEST(AlertStep, PressingAButtonDismissesTheTopmostAlert)
{
    TestDevice device;
    offerProfile(device);
    auto result = runSteps(device, json::object(), std::string("tap ") + kProfileRow + "\nalert Cancel\ndump\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    auto dumps = result.jsonLines();
    ASSERT_EQ(dumps.size(), 1u);
    EXPECT_EQ(dumps[0]["rootPage"]["presented"],
        json::array({ { { "class", "MCProfileListController" }, { "title", "VPN & Device Management" } } }));
}

// A button that is not there, or no alert at all, stops the script with one line and status 1.
TEST(AlertStep, AMissingAlertOrButtonIsAOneLineError)
{
    struct Case {
        const char* steps;
        const char* message;
    };
    const Case cases[] = {
        { "alert Cancel\n", "line 1: no alert is shown\n" },
        { "tap FollowUpList_com.apple.managedconfiguration.ios-purgatory\n\nalert Go Back\n",
            "line 3: the alert \"Install Profile\" has no button \"Go Back\"\n" },
    };
    for (const auto& c : cases) {
        TestDevice device;
        offerProfile(device);
        auto result = runSteps(device, json::object(), c.steps);
        EXPECT_EQ(result.exitCode, 1) << c.steps;
        EXPECT_EQ(result.err, std::string("tamarind-sim: ") + c.message) << c.steps;
    }
}
