#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "host/platform/DeviceRoot.h"
#include "host/platform/Spawn.h"

namespace fs = std::filesystem;

namespace {

// A device with a tool that would leave a mark beside the device if it ever ran, a file without
// execute permission, a folder, and a link to this machine's shell.
struct SpawnDevice : testing::Test {
    fs::path base;
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "tamarind-spawn-XXXXXX").string();
        base = mkdtemp(pattern.data());
        fs::create_directories(base / "device/var/jb/usr/bin/folder");
        tool("var/jb/usr/bin/killall", fs::perms::owner_all);
        tool("var/jb/usr/bin/plain", fs::perms::owner_read | fs::perms::owner_write);
        fs::create_symlink("/bin/sh", base / "device/var/jb/usr/bin/sh");
        setDeviceRoot(base / "device");
    }
    void TearDown() override { fs::remove_all(base); }
    void tool(const std::string& path, fs::perms perms)
    {
        std::ofstream(base / "device" / path) << "#!/bin/sh\ntouch " << (base / "ran").string() << "\n";
        fs::permissions(base / "device" / path, perms);
    }
};

int spawn(const char* path, std::vector<const char*> argv, pid_t* pid = nullptr)
{
    argv.push_back(nullptr);
    return platform::posix_spawn(pid, path, nullptr, nullptr, const_cast<char* const*>(argv.data()), environ);
}

}

TEST_F(SpawnDevice, AnExecutableDeviceToolIsRecordedAndNeverRun)
{
    auto before = platform::spawnedProcesses().size();
    pid_t pid = 0;
    ASSERT_EQ(spawn("/var/jb/usr/bin/killall", { "killall", "-SEGV", "SpringBoard" }, &pid), 0);
    auto children = platform::spawnedProcesses();
    ASSERT_EQ(children.size(), before + 1);
    EXPECT_EQ(children.back().pid, pid);
    EXPECT_EQ(children.back().path, "/var/jb/usr/bin/killall");
    EXPECT_EQ(children.back().arguments, (std::vector<std::string> { "killall", "-SEGV", "SpringBoard" }));
    EXPECT_FALSE(fs::exists(base / "ran")) << "the tool was executed on this machine";
}

// Whatever cannot be spawned fails with the C library's error number and records no child; a
// link to a program of this machine resolves inside the device, where there is none.
TEST_F(SpawnDevice, WhatCannotBeSpawnedFailsAndRecordsNothing)
{
    struct Case {
        const char* path;
        int error;
    } cases[] = {
        { "/var/jb/usr/bin/sbreload", ENOENT },
        { "/var/jb/usr/bin/plain", EACCES },
        { "/var/jb/usr/bin/folder", EACCES },
        { "/var/jb/usr/bin/sh", ENOENT },
        { "relative/tool", ENOENT },
        { nullptr, EINVAL },
    };
    auto before = platform::spawnedProcesses().size();
    for (auto& c : cases) {
        pid_t pid = -7;
        EXPECT_EQ(spawn(c.path, { "tool" }, &pid), c.error) << (c.path ? c.path : "null");
        EXPECT_EQ(pid, -7) << "a failed spawn wrote a process identifier";
    }
    EXPECT_EQ(platform::spawnedProcesses().size(), before);
    EXPECT_FALSE(fs::exists(base / "ran"));
}
