#pragma once

#include "host/runtime/Runtime.h"
#include "host/uikit/UIKitConstants.h"

// The floating account button of the top-level root page, shown in place of the hidden account
// row: the cached iCloud picture or a person symbol, opening the Apple Account page when tapped.
// The root page's own replacements build, tint and place it at fixed points of the page's life.

namespace tamarind {

// Builds the button for the page and adds it to the page's table view.
void buildAccountButton(rt::Object* page);
// Recolours the button for interface style 1 (light) or 2 (dark).
void tintAccountButton(UIUserInterfaceStyle style);
// Places the button from the width of the table's wrapper view and the banner's height.
void placeAccountButton(double wrapperWidth, double bannerOffset);

// Added to the root page: opens the Apple Account page as a tap on the stock row would.
void openAccountCell(rt::Object* self, rt::SEL, rt::Object* sender);

}
