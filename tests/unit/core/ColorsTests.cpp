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

    using tamarind::ColorOption, tamarind::ColorUse, tamarind::PictureOption;
    EXPECT_EQ(resolveColorObject(tamarind::pickedColor(ColorOption::colorNavbarText), 1), rgba(255, 0, 0, 128));
    EXPECT_EQ(resolveColorObject(tamarind::pickedColor(ColorOption::colorAccountButtonLight), 1), rgba(11, 132, 255));
    // The account row passes its own fallback for the label colours; every other use the common one.
    EXPECT_EQ(resolveColorObject(tamarind::pickedColor(ColorOption::colorTopLabel), 1), rgba(0, 0, 0));
    EXPECT_EQ(resolveColorObject(tamarind::pickedColor(ColorOption::colorTopLabel, ColorUse::AccountRow), 1),
        rgba(255, 255, 255));
    EXPECT_EQ(resolveColorObject(tamarind::pickedColor(ColorOption::colorNavbarLight, ColorUse::AccountRow), 1),
        rgba(255, 255, 255));
    auto* banner = rt::dynamicCast<NSData>(tamarind::pickedData(PictureOption::bannerImage), NSData::classObject());
    ASSERT_TRUE(banner);
    EXPECT_EQ(banner->length(), 6u);
    EXPECT_EQ(tamarind::pickedImage(PictureOption::backgroundImageLight), nullptr);
    fs::remove_all(base);
}

// A fallback the picker cannot read would leave a use without its colour while the key is unset.
TEST(PickedColors, EveryFallbackOfTheTableIsAColour)
{
    for (auto& color : tamarind::kColorOptions) {
        EXPECT_TRUE(UIColor::parseHex(color.fallback)) << color.key;
        if (color.accountRowFallback) {
            EXPECT_TRUE(UIColor::parseHex(color.accountRowFallback)) << color.key;
        }
    }
}
