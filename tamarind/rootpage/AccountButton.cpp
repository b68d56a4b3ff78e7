#include "tamarind/rootpage/AccountButton.h"

#include <string>

#include "host/foundation/Geometry.h"
#include "host/foundation/String.h"
#include "host/platform/Availability.h"
#include "tamarind/core/Colors.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/InterfaceStyle.h"
#include "tamarind/core/Kept.h"
#include "tamarind/core/Rows.h"
#include "tamarind/core/Settings.h"
#include "tamarind/rootpage/FloatingButton.h"

namespace tamarind {

namespace {

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

rt::Object* customColorFor(UIUserInterfaceStyle style)
{
    return pickedColor(
        style == UIUserInterfaceStyleDark ? ColorOption::colorAccountButtonDark : ColorOption::colorAccountButtonLight);
}

rt::Object* systemBlue()
{
    return rt::send<rt::Object*>(colorClass.get(), SELECTOR("systemBlueColor"));
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
    } else if (UIUserInterfaceStyle style = interfaceStyleOf(page); isLightOrDark(style)) {
        // With the style still unspecified the button keeps the system's tint until the first
        // change to light or dark.
        setButtonTint(button, customColorFor(style));
    }
    showImageFilling(button, g_accountImage.get());
    floatOverTable(button, page, "openAccountCell:");
}

void tintAccountButton(UIUserInterfaceStyle style)
{
    if (!isLightOrDark(style))
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
