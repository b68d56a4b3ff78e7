#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "SimHarness.h"

namespace fs = std::filesystem;
using nlohmann::json;

TEST(CommandLine, FileArgumentsMustBeRegularFilesWithinTheirLimits)
{
    // The files lie beside the device folder: a pipe inside it would stop the device's copy.
    TestDevice device;
    fs::path beside = device.path().parent_path();
    std::string folder = (beside / "folder").string();
    fs::create_directories(folder);
    std::string pipe = (beside / "pipe").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::ofstream(beside / "long-script") << std::string((1u << 20) + 1, '#');
    std::ofstream(beside / "huge.gif") << "GIF89a";
    fs::resize_file(beside / "huge.gif", (64u << 20) + 1);
    std::string dev = device.path().string();
    struct Case {
        std::vector<std::string> args;
        std::string says;
    } cases[] = {
        { { "gif", folder }, folder + " is a folder, not a file" },
        { { "gif", "/dev/zero" }, "/dev/zero is a device, not a file" },
        { { "gif", (beside / "huge.gif").string() }, (beside / "huge.gif").string() + " is larger than 64 MB" },
        { { "gif", pipe }, pipe + " is a pipe, not a file" },
        { { "--device", dev, "--prefs", folder, "options" }, folder + " is a folder, not a file" },
        { { "--device", dev, "--prefs", "/dev/zero", "options" }, "/dev/zero is a device, not a file" },
        { { "--device", dev, "script", folder }, folder + " is a folder, not a file" },
        { { "--device", dev, "script", "/dev/zero" }, "/dev/zero is a device, not a file" },
        { { "--device", dev, "script", pipe }, pipe + " is a pipe, not a file" },
        { { "--device", dev, "script", (beside / "long-script").string() },
            (beside / "long-script").string() + " is larger than 1 MB" },
    };
    for (auto& c : cases) {
        auto result = runSim(c.args);
        ASSERT_FALSE(result.stopped) << c.says;
        EXPECT_EQ(result.exitCode, 1) << c.says;
        EXPECT_EQ(result.err, "tamarind-sim: " + c.says + "\n");
    }
}

TEST(CommandLine, ADeviceNamedThroughALinkIsCopiedNotChanged)
{
    TestDevice device;
    device.setPreferences({ { "xOff", 7 } });
    std::ofstream(device.path() / "device.json") << device.description().dump();
    fs::path link = device.path().parent_path() / "link";
    fs::create_symlink(device.path(), link);
    auto changed = runSim({ "--device", link.string(), "--set", "xOff=-3", "options" });
    ASSERT_EQ(changed.exitCode, 0) << changed.err;
    auto again = runSim({ "--device", link.string(), "options" });
    ASSERT_EQ(again.exitCode, 0) << again.err;
    json options = again.json();
    for (auto& option : options["firstPass"]) {
        if (option["key"] == "xOff") {
            EXPECT_EQ(option["value"], 7) << "the device folder itself is never changed";
        }
    }
}
