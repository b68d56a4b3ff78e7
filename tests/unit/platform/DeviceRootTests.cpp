#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

#include "host/platform/DeviceRoot.h"

namespace fs = std::filesystem;

namespace {

// A device root with a file inside and a secret file outside it.
struct Rooted : testing::Test {
    fs::path base;
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "tamarind-root-XXXXXX").string();
        base = mkdtemp(pattern.data());
        fs::create_directories(base / "device/var/jb/Library");
        std::ofstream(base / "device/var/jb/Library/inside.txt") << "inside";
        std::ofstream(base / "secret.txt") << "secret";
        setDeviceRoot(base / "device");
    }
    void TearDown() override { fs::remove_all(base); }
    fs::path root() const { return fs::canonical(base / "device"); }
};

}

TEST_F(Rooted, PathsStayInsideTheDevice)
{
    struct Case {
        const char* devicePath;
        const char* expected; // relative to the device root
    } cases[] = {
        { "/var/jb/Library/inside.txt", "var/jb/Library/inside.txt" },
        { "/var/jb/../jb/./Library/inside.txt", "var/jb/Library/inside.txt" },
        { "/../../../secret.txt", "secret.txt" },
        { "/var/../../secret.txt", "secret.txt" },
    };
    for (auto& c : cases) {
        auto resolved = resolveDevicePath(c.devicePath);
        ASSERT_TRUE(resolved) << c.devicePath;
        EXPECT_EQ(resolved->host, root() / c.expected) << c.devicePath;
    }
    EXPECT_FALSE(resolveDevicePath("relative/path"));
}

TEST_F(Rooted, SymlinksAreFollowedInsideTheDevice)
{
    fs::create_directory_symlink("/var/jb", root() / "jb");
    fs::create_symlink(base / "secret.txt", root() / "var/absolute-out");
    fs::create_symlink("../../../../../secret.txt", root() / "var/jb/relative-out");
    auto viaLink = resolveDevicePath("/jb/Library/inside.txt");
    ASSERT_TRUE(viaLink);
    EXPECT_EQ(viaLink->device, "/var/jb/Library/inside.txt");
    for (const char* path : { "/var/absolute-out", "/var/jb/relative-out" }) {
        auto escaped = resolveDevicePath(path);
        ASSERT_TRUE(escaped) << path;
        EXPECT_EQ(escaped->host.string().rfind(root().string(), 0), 0u) << path << " left the device: " << escaped->host;
        EXPECT_FALSE(fs::exists(escaped->host));
    }
}

TEST_F(Rooted, SymlinkLoopsFailInsteadOfHanging)
{
    fs::create_symlink("b", root() / "a");
    fs::create_symlink("a", root() / "b");
    EXPECT_FALSE(resolveDevicePath("/a/file"));
    // A directory link back up the tree is not a loop by itself: each pass goes one level deeper.
    fs::create_directory_symlink("..", root() / "var/jb/Library/up");
    auto deep = resolveDevicePath("/var/jb/Library/up/Library/up/Library/inside.txt");
    ASSERT_TRUE(deep);
    EXPECT_EQ(deep->device, "/var/jb/Library/inside.txt");
}

TEST_F(Rooted, ResolvingTellsWhatIsThere)
{
    struct Case {
        const char* devicePath;
        FileKind kind;
    } cases[] = {
        { "/var/jb/Library/inside.txt", FileKind::regular },
        { "/var/jb/Library", FileKind::directory },
        { "/", FileKind::directory },
        { "/var/jb/Library/missing.txt", FileKind::missing },
        { "/var/missing/deeper/file.txt", FileKind::missing },
    };
    for (auto& c : cases) {
        auto resolved = resolveDevicePath(c.devicePath);
        ASSERT_TRUE(resolved) << c.devicePath;
        EXPECT_EQ(resolved->kind, c.kind) << c.devicePath;
    }
    // Through a link the kind may be left to the caller, but never a wrong one.
    fs::create_symlink("inside.txt", root() / "var/jb/Library/link.txt");
    auto viaLink = resolveDevicePath("/var/jb/Library/link.txt");
    ASSERT_TRUE(viaLink);
    EXPECT_EQ(viaLink->device, "/var/jb/Library/inside.txt");
    EXPECT_TRUE(viaLink->kind == FileKind::regular || viaLink->kind == FileKind::unknown);
}

TEST_F(Rooted, OpeningFollowsLinksInsideTheDeviceOnly)
{
    fs::create_directory_symlink("/var/jb", root() / "jb");
    fs::create_symlink(base / "secret.txt", root() / "var/absolute-out");
    auto readAll = [](const char* devicePath) -> std::string {
        int fd = openDeviceFile(devicePath, O_RDONLY);
        if (fd < 0)
            return "(none)";
        char text[16] = {};
        ssize_t n = read(fd, text, sizeof text - 1);
        close(fd);
        return std::string(text, n > 0 ? static_cast<size_t>(n) : 0);
    };
    EXPECT_EQ(readAll("/var/jb/Library/inside.txt"), "inside");
    EXPECT_EQ(readAll("/jb/Library/inside.txt"), "inside");
    EXPECT_EQ(readAll("/var/jb/../jb/Library/inside.txt"), "inside");
    EXPECT_EQ(readAll("/var/absolute-out"), "(none)");
    EXPECT_EQ(readAll("/../secret.txt"), "(none)");
    EXPECT_EQ(readAll("/var/jb/Library/missing.txt"), "(none)");
}
