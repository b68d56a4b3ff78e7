#pragma once

#include "host/runtime/Runtime.h"
#include "host/uikit/UIKitConstants.h"

// The floating search button of the top-level root page: a magnifying glass next to the account
// button whose tap hides or shows the root page's search bar. The root page's own replacements
// build, tint and place it at fixed points of the page's life.

namespace tamarind {

// Builds the button for the page and adds it to the page's table view.
void buildSearchButton(rt::Object* page);
// Recolours the button for interface style 1 (light) or 2 (dark).
void tintSearchButton(UIUserInterfaceStyle style);
// Places the button from the width of the table's wrapper view and the banner's height.
void placeSearchButton(double wrapperWidth, double bannerOffset);

// Added to the root page: hides the search bar of its search controller, scrolling the list up
// by the bar's height, or shows it again with the list scrolled to its top.
void toggleSearch(rt::Object* self, rt::SEL, rt::Object* sender);

}
