#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// Every on/off switch in Settings: hidden on the root list ("isSwitchesEnabled") and drawn in the
// user's on and off colours with round ends ("isCustomSwitchColor"), decided as it enters a
// window.

namespace tamarind {

using SwitchImp = void (*)(rt::Object*, rt::SEL);

void switchDidMoveToWindow(rt::Object* toggle, rt::SEL);
extern Saved<SwitchImp> originalSwitchDidMoveToWindow;

}
