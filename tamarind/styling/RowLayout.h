#pragma once

#include "host/runtime/Runtime.h"

// The layout of a root-list row under the library: the title 20 points high, raised by half its
// height when a subtitle sits under it, and the subtitle 30 points above the bottom of the
// content; both start 15 points after the icon (or the content's edge), or are centred.

namespace tamarind {

void constrainRowTitle(rt::Object* cell, rt::Object* title);
void constrainRowSubtitle(rt::Object* cell, rt::Object* subtitle);

}
