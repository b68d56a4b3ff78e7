#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// Scroll indicators on every page: hidden ("isScrollBarHiddenEnabled", which wins) or in the
// user's colour ("isCustomScrollbarColorEnabled"), set on the indicator's bar views as it enters a
// window.

namespace tamarind {

using IndicatorImp = void (*)(rt::Object*, rt::SEL);

void scrollIndicatorDidMoveToWindow(rt::Object* self, rt::SEL);
extern Saved<IndicatorImp> originalScrollIndicatorDidMoveToWindow;

}
