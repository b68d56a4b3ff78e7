#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "SimHarness.h"

// The library's own installed files come from the project's package, laid into every device the
// simulator runs with the library; a device folder that carries them too is refused.

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const std::string kBundles = "/var/jb/Library/PreferenceBundles";
const std::string kLocalization = kBundles + "/TamarindLocalization.bundle";
const json kConnectivityGrouped = { { "isCustomTableCellCustomizabilityEnabled", true }, { "isConnectivityGroupingEnabled", true } };

}

// Every shipped phone reads the package's texts and icons though no device folder holds them.
TEST(Package, EveryShippedPhoneShowsThePackagesTexts)
{
    for (const char* shipped : { "default", "ios14", "ios15" }) {
        SCOPED_TRACE(shipped);
        TestDevice device(shipped);
        EXPECT_FALSE(fs::exists(device.file(kLocalization)));
        json page = dumpPage(device, kConnectivityGrouped, "root");
        json module = cellOf(page, "CONNECTIVITY_MODULE");
        EXPECT_EQ(module["text"]["text"], "Connectivity");
        EXPECT_EQ(module["subtitle"]["text"], "Wi-Fi, Bluetooth, Cellular, Hotspot, VPN");
    }
}

// Whatever the device holds at one of the package's paths, the run stops and names the path,
// instead of letting either copy win in silence. Stock Settings, which runs without the library,
// takes the device as it is.
TEST(Package, ADeviceCarryingThePackagesPathsIsRefused)
{
    struct Case {
        const char* name;
        void (*prepare)(TestDevice&);
        std::string named;
    } cases[] = {
        { "a string table of its own",
            [](TestDevice& d) { d.writeFile(kLocalization + "/en.lproj/Localizable.strings", "\"WIFI\" = \"x\";"); },
            kLocalization },
        { "an empty bundle folder", [](TestDevice& d) { fs::create_directories(d.file(kLocalization)); },
            kLocalization },
        { "a link in the bundle's place", [](TestDevice& d) { d.symlink(kLocalization, "/var/mobile"); },
            kLocalization },
        { "one icon of the preference bundle", [](TestDevice& d) {
              d.writeFile(kBundles + "/sorrelPreferences.bundle/TweakIcon.png", "not a picture");
          },
            kBundles + "/sorrelPreferences.bundle" },
        { "a file where the package needs a folder", [](TestDevice& d) {
              d.remove(kBundles);
              d.writeFile(kBundles, "");
          },
            kBundles },
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestDevice device;
        c.prepare(device);
        auto result = device.run({ "dump", "root" });
        EXPECT_EQ(result.exitCode, 1) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_NE(result.err.find("carries " + c.named + ","), std::string::npos) << result.err;
        EXPECT_EQ(device.run({ "--no-tweak", "dump", "root" }).exitCode, 0);
    }
}

// The package is laid in through the device's own path resolution, so a link of the device that
// names a folder of this machine leads to that folder inside the device, never outside it.
TEST(Package, ALinkOfTheDeviceKeepsThePackageInside)
{
    TestDevice device;
    fs::path outside = device.path().parent_path() / "outside";
    fs::create_directories(outside);
    device.remove(kBundles);
    device.symlink(kBundles, outside.string());
    json page = dumpPage(device, kConnectivityGrouped, "root");
    EXPECT_EQ(cellOf(page, "CONNECTIVITY_MODULE")["text"]["text"], "Connectivity");
    EXPECT_TRUE(fs::is_empty(outside));
}
