#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The software-update badge of the General page (PSGGeneralController), hidden while
// "isSoftwareUpdateBadgeEnabled" is on: every picture in a row's content view, and every label
// there that shows one of the badge's digits.

namespace tamarind {

using ContentViewImp = void (*)(rt::Object*, rt::SEL);

void contentViewDidMoveToWindow(rt::Object* contentView, rt::SEL);
extern Saved<ContentViewImp> originalContentViewDidMoveToWindow;

}
