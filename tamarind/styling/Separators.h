#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// Cell separators of every table in the process are taken out of their cell as they enter a
// window while "isSeperatorsDisabled" is on.

namespace tamarind {

using SeparatorImp = void (*)(rt::Object*, rt::SEL);

void separatorDidMoveToWindow(rt::Object* separator, rt::SEL);
extern Saved<SeparatorImp> originalSeparatorDidMoveToWindow;

}
