#include "tamarind/rootpage/AccountButton.h"

#include <string>

#include "host/foundation/Geometry.h"
#include "host/foundation/String.h"
#include "host/platform/Availability.h"
#include "tamarind/core/Colors.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/Kept.h"
#include "tamarind/core/Rows.h"
#include "tamarind/core/Settings.h"
#include "tamarind/rootpage/FloatingButton.h"

namespace tamarind {

namespace {

HostClass imageClass("UIImage");
HostClass screenClass("UIScreen");
HostClass colorClass("UIColor");

constexpr double kAccountButtonSize = 40;
constexpr const char* kPictureFolder = "/var/mobile/Library/Caches/com.apple.Preferences";

Kept g_accountButton;
Kept g_accountImage;

// The profile picture Settings caches for the screen's scale (truncated: a 3.0 screen reads
// "AppleAccountIcon@3x.png"), used as it is; or nothing when there is no such file.
rt::Object* cachedAccountPicture()
{
    double scale
        = rt::send<double>(rt::send<rt::Object*>(screenClass.get(), SELECTOR("mainScreen")), SELECTOR("scale"));
    std::string path
        = std::string(kPictureFolder) + "/AppleAccountIcon@" + std::to_string(static_cast<int>(scale)) + "x.png";
    return rt::send<rt::Object*>(imageClass.get(), SELECTOR("imageWithContentsOfFile:"), ns(path));
}

rt::Object* accountImage()
{
    const auto& s = firstPass;
    if (s.iCloudPfP)
        return cachedAccountPicture();
    return templateSymbol(s.isOtherAccountButtonStyleEnabled ? "person.crop.circle.fill" : "person.circle.fill");
}

rt::Object* customColorFor(long style)
{
    return pickedColor(style == 2 ? "colorAccountButtonDark" : "colorAccountButtonLight", "0b84ff");
}

rt::Object* systemBlue()
{
    return rt::send<rt::Object*>(colorClass.get(), SELECTOR("systemBlueColor"));
}

long interfaceStyleOf(rt::Object* page)
{
    return rt::send<long>(rt::send<rt::Object*>(page, SELECTOR("traitCollection")), SELECTOR("userInterfaceStyle"));
}

// The version's name of the root page's variable that holds the Apple Account row.
const char* accountRowVariable()
{
    return isOSVersionAtLeast(15, 2, 0) ? "__appleAccountSpecifier" : "_appleAccountSpecifier";
}

}

void buildAccountButton(rt::Object* page)
{
    g_accountButton.set(makeFloatingButton());
    g_accountImage.set(accountImage());
    rt::Object* button = g_accountButton.get();
    if (!firstPass.isCustomAccColor) {
        setButtonTint(button, systemBlue());
    } else if (long style = interfaceStyleOf(page); style == 1 || style == 2) {
        // With the style still unspecified the button keeps the system's tint until the first
        // change to light or dark.
        setButtonTint(button, customColorFor(style));
    }
    showImageFilling(button, g_accountImage.get());
    floatOverTable(button, page, "openAccountCell:");
}

void tintAccountButton(long style)
{
    if (style != 1 && style != 2)
        return;
    setButtonTint(g_accountButton.get(), firstPass.isCustomAccColor ? customColorFor(style) : systemBlue());
}

void placeAccountButton(double wrapperWidth, double bannerOffset)
{
    const auto& s = firstPass;
    long x = placedCoordinate(wrapperWidth, s.xOff, 20);
    long y = placedCoordinate(bannerOffset, 0, s.yOffset);
    placeSquare(g_accountButton.get(), x, y, kAccountButtonSize);
}

void openAccountCell(rt::Object* self, rt::SEL, rt::Object*)
{
    rt::send(self, SELECTOR("_showControllerFromSpecifier:"), pageIvar(self, accountRowVariable()));
}
}
