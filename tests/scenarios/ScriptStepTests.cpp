#include <gtest/gtest.h>

#include "SimHarness.h"

// A line that is no step stops the script with its line number and one reason, after the steps
// before it ran and before it acts itself; numbers that are no numbers at all (not a number,
// infinities) are refused like numbers out of range, and a choice not offered like a missing one.
TEST(ScriptSteps, AMalformedStepStopsTheScriptWithItsLineAndReason)
{
    struct Case {
        std::string line;
        std::string says;
    } cases[] = {
        { "advance nan", "advance expects a number of seconds between 0 and 86400" },
        { "advance -1s", "advance expects a number of seconds between 0 and 86400" },
        { "scroll inf", "scroll expects a number of points between -10000 and 10000" },
        { "style blue", "style expects light or dark" },
        { "style", "style expects light or dark" },
        { "button sideways", "button expects account, search or menu" },
        { "tap", "tap takes 1 argument" },
        { "dump now", "dump takes 0 arguments" },
        { "back 2", "back takes 0 arguments" },
        { "memory-warning now", "memory-warning takes 0 arguments" },
        { "background now", "background takes 0 arguments" },
        { "push-root twice", "push-root takes 0 arguments" },
        { "jump 3", "unknown step \"jump\"" },
    };
    TestDevice device;
    for (auto& c : cases) {
        auto result = device.runScript("# first a dump\ndump\n" + c.line + "\ndump\n");
        ASSERT_FALSE(result.stopped) << c.line;
        EXPECT_EQ(result.exitCode, 1) << c.line;
        EXPECT_EQ(result.err, "tamarind-sim: line 3: " + c.says + "\n") << c.line;
        EXPECT_EQ(result.jsonLines().size(), 1u) << c.line;
    }
}
