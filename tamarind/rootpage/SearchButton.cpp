#include "tamarind/rootpage/SearchButton.h"

#include "host/foundation/Geometry.h"
#include "host/foundation/String.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/InterfaceStyle.h"
#include "tamarind/core/Kept.h"
#include "tamarind/core/Settings.h"
#include "tamarind/rootpage/FloatingButton.h"

namespace tamarind {

namespace {

constexpr double kSearchButtonSize = 25;

Kept g_searchButton;
Kept g_searchImage;

rt::Object* searchBarOf(rt::Object* page)
{
    rt::Object* controller = rt::send<rt::Object*>(page, SELECTOR("spotlightSearchController"));
    return rt::send<rt::Object*>(controller, SELECTOR("searchBar"));
}

}

void buildSearchButton(rt::Object* page)
{
    g_searchButton.set(makeFloatingButton());
    g_searchImage.set(templateSymbol("magnifyingglass"));
    rt::Object* button = g_searchButton.get();
    setButtonTint(button, rt::send<rt::Object*>(colorClass.get(), SELECTOR("labelColor")));
    showImageFilling(button, g_searchImage.get());
    floatOverTable(button, page, "toggleSearch:");
}

void tintSearchButton(UIUserInterfaceStyle style)
{
    if (!isLightOrDark(style))
        return;
    rt::Object* color = rt::send<rt::Object*>(
        colorClass.get(), style == UIUserInterfaceStyleLight ? SELECTOR("blackColor") : SELECTOR("whiteColor"));
    setButtonTint(g_searchButton.get(), color);
}

void placeSearchButton(double wrapperWidth, double bannerOffset)
{
    const auto& s = firstPass;
    long x = placedCoordinate(wrapperWidth, s.xOff2, 5);
    long y = placedCoordinate(bannerOffset, 0, s.yOffset2);
    placeSquare(g_searchButton.get(), x, y, kSearchButtonSize);
}

void toggleSearch(rt::Object* self, rt::SEL, rt::Object*)
{
    rt::Object* bar = searchBarOf(self);
    rt::Object* table = rt::send<rt::Object*>(self, SELECTOR("table"));
    bool hidden = rt::send<bool>(bar, SELECTOR("isHidden"));
    if (hidden) {
        rt::send<bool>(table, SELECTOR("_scrollToTopIfPossible:"), true);
    } else {
        CGPoint offset = rt::send<CGPoint>(table, SELECTOR("contentOffset"));
        double height = rt::send<CGRect>(bar, SELECTOR("frame")).height();
        rt::send(table, SELECTOR("setContentOffset:animated:"), CGPoint { offset.x, offset.y + height }, true);
    }
    rt::send(bar, SELECTOR("setHidden:"), !hidden);
}
}
