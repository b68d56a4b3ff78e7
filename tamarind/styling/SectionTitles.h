#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// Section header and footer titles of every table are centred when both "isCenterLabels" and
// "isCenterLabelsOnSubmenus" are on.

namespace tamarind {

using HeaderFooterImp = void (*)(rt::Object*, rt::SEL);

void headerFooterDidMoveToWindow(rt::Object* view, rt::SEL);
extern Saved<HeaderFooterImp> originalHeaderFooterDidMoveToWindow;

}
