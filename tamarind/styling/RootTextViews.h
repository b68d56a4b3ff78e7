#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// Text views have no place on the restyled root list: one that enters a window there is taken
// out of its superview. No setting governs this.

namespace tamarind {

using TextViewImp = void (*)(rt::Object*, rt::SEL);

void textViewDidMoveToWindow(rt::Object* textView, rt::SEL);
extern Saved<TextViewImp> originalTextViewDidMoveToWindow;

}
