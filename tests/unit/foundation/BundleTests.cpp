#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "host/foundation/Bundle.h"
#include "host/platform/DeviceRoot.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kBundle = "/var/jb/Library/PreferenceBundles/Pane.bundle";

// A device whose bundle folder was last changed an hour ago, as an installed tweak's is.
struct BundleSearch : testing::Test {
    fs::path base;
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "tamarind-bundle-XXXXXX").string();
        base = mkdtemp(pattern.data());
        fs::create_directories(folder());
        write("icon@3x.png");
        age(folder());
        setDeviceRoot(base);
    }
    void TearDown() override { fs::remove_all(base); }
    fs::path folder() const { return base / fs::path(kBundle).relative_path(); }
    void write(const fs::path& name) const { std::ofstream(folder() / name) << "x"; }
    static void age(const fs::path& path)
    {
        timespec times[2] = { { time(nullptr) - 3600, 0 }, { time(nullptr) - 3600, 0 } };
        utimensat(AT_FDCWD, path.c_str(), times, 0);
    }
};

}

TEST_F(BundleSearch, FindsWhatTheFoldersHoldAsTheyChange)
{
    rt::AutoreleasePool pool;
    auto bundle = NSBundle::create(kBundle);
    ASSERT_TRUE(bundle);
    std::string base = std::string(kBundle) + "/";
    EXPECT_EQ(bundle->pathForResource("icon@3x", "png"), base + "icon@3x.png");
    // A miss makes the bundle list its folders; what is added afterwards is still found.
    EXPECT_EQ(bundle->pathForResource("icon@2x", "png"), "");
    write("icon@2x.png");
    EXPECT_EQ(bundle->pathForResource("icon@2x", "png"), base + "icon@2x.png");
    age(folder());
    EXPECT_EQ(bundle->pathForResource("icon", "png"), "");
    fs::create_directory(folder() / "en.lproj");
    write("en.lproj/icon.png");
    EXPECT_EQ(bundle->pathForResource("icon", "png"), base + "en.lproj/icon.png");
    age(folder() / "en.lproj");
    age(folder());
    EXPECT_EQ(bundle->pathForResource("icon", "png"), base + "en.lproj/icon.png");
    // A listed name that is gone is not handed out; nor is a folder of that name.
    fs::remove(folder() / "icon@3x.png");
    fs::create_directory(folder() / "icon@3x.png");
    age(folder());
    EXPECT_EQ(bundle->pathForResource("icon@3x", "png"), "");
}

TEST_F(BundleSearch, OnePathHasOneBundleWhileItIsHeld)
{
    rt::AutoreleasePool pool;
    auto first = NSBundle::create(kBundle);
    auto again = NSBundle::create(std::string(kBundle) + "/");
    EXPECT_EQ(first.get(), again.get());
    EXPECT_FALSE(NSBundle::create(std::string(kBundle) + "/icon@3x.png"));
    EXPECT_FALSE(NSBundle::create("/var/jb/Library/PreferenceBundles/Missing.bundle"));
}

TEST_F(BundleSearch, ALinkOutOfTheDeviceLeadsNowhere)
{
    rt::AutoreleasePool pool;
    fs::path outside = fs::path(base).parent_path() / (base.filename().string() + "-outside.png");
    std::ofstream(outside) << "x";
    fs::create_symlink(outside, folder() / "escape.png");
    age(folder());
    auto bundle = NSBundle::create(kBundle);
    EXPECT_EQ(bundle->pathForResource("escape", "png"), "");
    fs::remove(outside);
}
