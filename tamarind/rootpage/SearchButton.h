#pragma once

#include "host/runtime/Runtime.h"

// The floating search button of the top-level root page. The root page's own replacements call
// these at fixed points of its life; the button itself is built by the search feature.

namespace tamarind {

// Builds the button for the page and adds it to the page's table view.
void buildSearchButton(rt::Object* page);
// Recolours the button for interface style 1 (light) or 2 (dark).
void tintSearchButton(long style);
// Places the button from the width of the table's wrapper view and the banner's height.
void placeSearchButton(double wrapperWidth, double bannerOffset);

}
