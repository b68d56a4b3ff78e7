#pragma once

#include "host/runtime/Runtime.h"

// The layout of a root-list row under the library: the title 20 points high, raised by half its
// height when a subtitle sits under it, and the subtitle 30 points above the bottom of the
// content, or right under the title where the row is too short for that; both start 15 points
// after the icon (or the content's edge), or are centred.

namespace tamarind {

void constrainRowTitle(rt::Object* cell, rt::Object* title);
void constrainRowSubtitle(rt::Object* cell, rt::Object* subtitle);
// Moves the subtitle under the title for the row's current height; run again whenever the cell
// is laid out, since a reused cell changes height with its row.
void fitRowSubtitle(rt::Object* cell, rt::Object* subtitle);
// Gives the title back to the host's own layout, as a cell reused for a row the library does
// not lay out needs.
void releaseRowTitle(rt::Object* title);

}
