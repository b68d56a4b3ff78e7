#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "host/foundation/Data.h"
#include "host/platform/DeviceRoot.h"
#include "host/uikit/UIColor.h"
#include "tamarind/core/Colors.h"

namespace fs = std::filesystem;

namespace {

RGBAColor rgba(int r, int g, int b, int a = 255)
{
    return { r / 255.0, g / 255.0, b / 255.0, a / 255.0 };
}

}

// The helper reaches the picker with the library's own domain: what the pane stored there is what
// comes back, and the fallback otherwise.
TEST(PickedColors, ReadTheLibrarysDomainThroughThePicker)
{
    rt::AutoreleasePool pool;
    std::string pattern = (fs::temp_directory_path() / "tamarind-colors-XXXXXX").string();
    fs::path base = mkdtemp(pattern.data());
    fs::create_directories(base / "var/mobile/Library/Preferences");
    setDeviceRoot(base);
    std::ofstream(base / "var/mobile/Library/Preferences/com.corvane.sorrelpreferences.plist")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
           "<key>colorNavbarText</key><string>#FF000080</string>"
           "<key>bannerImage</key><data>R0lGODlh</data>"
           "</dict></plist>\n";

    EXPECT_EQ(resolveColorObject(tamarind::pickedColor("colorNavbarText", "ffffff"), 1), rgba(255, 0, 0, 128));
    EXPECT_EQ(resolveColorObject(tamarind::pickedColor("colorNavbarLight", "0b84ff"), 1), rgba(11, 132, 255));
    auto* banner = rt::dynamicCast<NSData>(tamarind::pickedData("bannerImage"), NSData::classObject());
    ASSERT_TRUE(banner);
    EXPECT_EQ(banner->length(), 6u);
    EXPECT_EQ(tamarind::pickedImage("backgroundImageLight"), nullptr);
    fs::remove_all(base);
}
