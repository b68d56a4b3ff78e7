#include "tamarind/rootpage/RootListController.h"

#include "host/foundation/Geometry.h"
#include "host/foundation/String.h"
#include "host/uikit/UIKitConstants.h"
#include "tamarind/core/Colors.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/InterfaceStyle.h"
#include "tamarind/core/RootPage.h"
#include "tamarind/core/Rows.h"
#include "tamarind/core/Settings.h"
#include "tamarind/rootpage/AccountButton.h"
#include "tamarind/rootpage/SearchButton.h"
#include "tamarind/rootpage/TitleAttributes.h"

namespace tamarind {

Saved<ViewDidLoadImp> originalRootViewDidLoad;
Saved<ViewDidLoadImp> originalRootViewDidLayoutSubviews;
Saved<TraitChangeImp> originalRootTraitCollectionDidChange;

namespace {

HostClass urlManager("PSURLManager");

constexpr long kLargeTitleDisplayModeNever = 2;

// Only the page Settings itself knows as its top level gets the floating buttons; a root page
// made for any other purpose still gets the title and the menu. Identity, not equality.
bool isTopLevel(rt::Object* page)
{
    rt::Object* manager = rt::send<rt::Object*>(urlManager.get(), SELECTOR("sharedManager"));
    return manager && rt::send<rt::Object*>(manager, SELECTOR("topLevelController")) == page;
}

void addFloatingButtons(rt::Object* page)
{
    const auto& s = firstPass;
    if (!isTopLevel(page) || s.stockiCloud)
        return;
    if (!s.isAccountIconDisabled)
        buildAccountButton(page);
    if (!s.isSearchHidden && !s.isSearchIconDisabled)
        buildSearchButton(page);
}

// The root table's _wrapperView frame width, or nothing when the table has no such view.
double wrapperWidth(rt::Object* table)
{
    rt::Object* wrapper = pageIvar(table, "_wrapperView");
    return wrapper ? rt::send<CGRect>(wrapper, SELECTOR("frame")).width() : 0;
}

}

void rootViewDidLoad(rt::Object* self, rt::SEL cmd)
{
    originalRootViewDidLoad(self, cmd);
    const auto& s = firstPass;
    if (s.isSoftwareUpdateBadgeEnabled) {
        rt::Object* app = rt::send<rt::Object*>(applicationClass.get(), SELECTOR("sharedApplication"));
        rt::send(app, SELECTOR("setApplicationIconBadgeNumber:"), 0L);
    }
    keepRootListController(self);
    addFloatingButtons(self);

    rt::Object* bar = navigationBarOf(self);
    if (s.isCustomNavBarColor)
        rt::send(bar, SELECTOR("setTitleTextAttributes:"),
            attributesWith(NSForegroundColorAttributeName, pickedColor(ColorOption::colorNavbarText)));
    if (!s.isBoldTitle)
        setRegularLargeTitle(bar);
    if (s.isTopMenuEnabled)
        rt::send(self, SELECTOR("initTopMenu"));
    if (s.isSmallTitle) {
        rt::send(rt::send<rt::Object*>(self, SELECTOR("navigationItem")), SELECTOR("setLargeTitleDisplayMode:"),
            kLargeTitleDisplayModeNever);
        rt::send(bar, SELECTOR("setPrefersLargeTitles:"), false);
    }
}

void rootViewDidLayoutSubviews(rt::Object* self, rt::SEL cmd)
{
    originalRootViewDidLayoutSubviews(self, cmd);
    double width = wrapperWidth(rt::send<rt::Object*>(self, SELECTOR("table")));
    double bannerOffset = firstPass.isBannerEnabled ? static_cast<double>(firstPass.bannerHeight) : 0;
    placeAccountButton(width, bannerOffset);
    placeSearchButton(width, bannerOffset);
}

void rootTraitCollectionDidChange(rt::Object* self, rt::SEL cmd, rt::Object* previous)
{
    originalRootTraitCollectionDidChange(self, cmd, previous);
    UIUserInterfaceStyle style = interfaceStyleOf(self);
    if (isLightOrDark(style)) {
        tintAccountButton(style);
        tintSearchButton(style);
    }
    if (!firstPass.isBoldTitle)
        setRegularLargeTitle(navigationBarOf(self));
}

}
