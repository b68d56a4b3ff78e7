#include "tamarind/rootpage/SearchBar.h"

#include "host/foundation/NotificationNames.h"
#include "host/foundation/String.h"
#include "tamarind/core/Colors.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/Settings.h"

namespace tamarind {

Saved<SearchBarImp> originalSearchBarDidMoveToWindow;
Saved<SearchBarImp> originalSearchFieldBackgroundLayoutSubviews;

namespace {

}

void searchBarDidMoveToWindow(rt::Object* self, rt::SEL cmd)
{
    originalSearchBarDidMoveToWindow(self, cmd);
    if (firstPass.isSearchHidden) {
        rt::send(self, SELECTOR("setHidden:"), true);
        return;
    }
    rt::send(self, SELECTOR("setHidden:"), false);
    // Registered on every move to a window: a second registration only repeats the same
    // assignment when the keyboard shows.
    rt::Object* center = rt::send<rt::Object*>(notificationCenterClass.get(), SELECTOR("defaultCenter"));
    rt::send(center, SELECTOR("addObserver:selector:name:object:"), self, rt::sel("keyboardDidShow:"),
        ns(UIKeyboardDidShowNotification), static_cast<rt::Object*>(nullptr));
}

// The observer exists only while "isSearchHidden" is off, so in effect a bar hidden by the
// search button comes back whenever the keyboard comes up.
void searchBarKeyboardDidShow(rt::Object* self, rt::SEL, rt::Object*)
{
    rt::send(self, SELECTOR("setHidden:"), firstPass.isSearchHidden);
}

void searchFieldBackgroundLayoutSubviews(rt::Object* self, rt::SEL cmd)
{
    originalSearchFieldBackgroundLayoutSubviews(self, cmd);
    const auto& s = firstPass;
    if (s.isSearchBGHidden)
        rt::send(self, SELECTOR("setHidden:"), true);
    if (s.isCustomSearchBarColorEnabled)
        rt::send(self, SELECTOR("setBackgroundColor:"), pickedColor(ColorOption::colorSearchBar));
    rt::Object* layer = rt::send<rt::Object*>(self, SELECTOR("layer"));
    rt::send(layer, SELECTOR("setMasksToBounds:"), true);
    rt::send(layer, SELECTOR("setCornerRadius:"), static_cast<double>(s.searchBarCornerRadiusValue));
}

}
