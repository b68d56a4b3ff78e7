#pragma once

#include "host/runtime/Runtime.h"

// The floating account button of the top-level root page. The root page's own replacements call
// these at fixed points of its life; the button itself is built by the account feature.

namespace tamarind {

// Builds the button for the page and adds it to the page's table view.
void buildAccountButton(rt::Object* page);
// Recolours the button for interface style 1 (light) or 2 (dark).
void tintAccountButton(long style);
// Places the button from the width of the table's wrapper view and the banner's height.
void placeAccountButton(double wrapperWidth, double bannerOffset);

}
