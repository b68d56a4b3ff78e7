#pragma once

#include "host/runtime/Runtime.h"

// TMBannerCell: the root list's banner row, a PSTableCell whose whole area is one
// FLAnimatedImageView showing the user's picture, a still image or an animated GIF. The cell
// loads its picture when the root page's cell provider creates it (loadAnimatedImageIfNeeded)
// and pauses the animation while Settings is in the background.

namespace tamarind {

// Registers the class; null when the host has no PSTableCell. Safe to call more than once.
rt::Class* registerBannerCell();

}
