#include <gtest/gtest.h>

#include "SimHarness.h"

using nlohmann::json;
using Ids = std::vector<std::string>;

namespace {

SimResult dumpTweaks(TestDevice& device)
{
    device.setPreferences({ { "isCustomTableCellCustomizabilityEnabled", true }, { "groupTweaksEnabled", true } });
    return device.run({ "dump", "tweaks" });
}

json entry(const std::string& label, const std::string& bundle)
{
    return { { "entry", { { "label", label }, { "bundle", bundle }, { "cell", "PSLinkCell" } } } };
}

}

TEST(EntryReader, MalformedEntriesAreSkippedAndTheRestRead)
{
    TestDevice device;
    device.writeFile(std::string(kEntries) + "/NotADictionary.plist", "<?xml version=\"1.0\"?><plist><array><string>x</string></array></plist>");
    device.writeFile(std::string(kEntries) + "/Garbage.plist", "\x01\x02 garbage");
    device.writePlist(std::string(kEntries) + "/NoEntry.plist", { { "items", json::array() } });
    device.writePlist(std::string(kEntries) + "/NoLabel.plist", { { "entry", { { "bundle", "AuroraPrefs" } } } });
    device.writePlist(std::string(kEntries) + "/EntryIsAString.plist", { { "entry", "label" } });
    device.writePlist(std::string(kEntries) + "/WrongTypes.plist", { { "entry", { { "label", "Typed" }, { "icon", 5 }, { "detail", json::array() } } }, { "bundlePath", 3 } });
    auto result = dumpTweaks(device);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(flatRowIDs(result.json()), (Ids { "Aurora", "beta tools", "Lumen", "Quick Notes", "Snowboard", "Typed", "Velvet" }));
}

TEST(EntryReader, LinksThatLoopOrLeaveTheDeviceDoNotHangOrEscape)
{
    TestDevice device;
    device.symlink(std::string(kEntries) + "/Nested/Loop", "..");
    device.symlink(std::string(kEntries) + "/Self", ".");
    device.symlink(std::string(kEntries) + "/Outside", "/etc");
    // A bundle named with ".." stays inside the device: it resolves to nothing there.
    device.writePlist(std::string(kEntries) + "/Escape.plist", entry("Escape", "../../../../../../etc"));
    auto result = dumpTweaks(device);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    Ids ids = flatRowIDs(result.json());
    EXPECT_EQ(std::count(ids.begin(), ids.end(), "Aurora"), 1);
    EXPECT_GE(indexOf(ids, "Escape"), 0);
    EXPECT_EQ(result.json()["sections"][0]["rows"][indexOf(ids, "Escape")]["class"], nullptr);
}

TEST(EntryReader, SameLabelKeepsTheFileReadLaterAndUnreadableFoldersAreLogged)
{
    TestDevice device;
    device.writePlist(std::string(kEntries) + "/Nested/Zed.plist", entry("Aurora", "VelvetPrefs"));
    auto result = dumpTweaks(device);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    Ids ids = flatRowIDs(result.json());
    EXPECT_EQ(std::count(ids.begin(), ids.end(), "Aurora"), 1);

    TestDevice empty;
    empty.remove(kEntries);
    auto missing = dumpTweaks(empty);
    ASSERT_EQ(missing.exitCode, 0) << missing.err;
    EXPECT_TRUE(flatRowIDs(missing.json()).empty());
    EXPECT_NE(deviceLog(missing.json()).find("Error reading directory /var/jb/Library/PreferenceLoader/Preferences/: "),
        std::string::npos)
        << missing.out;
}
