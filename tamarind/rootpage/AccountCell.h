#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The stock account row (PSUIAppleAccountCell) restyled on every layout pass: a custom name and
// subtitle, the picture on the left, alone in the centre, on the right or hidden, centred labels
// and label colours; or the whole row hidden when the floating account button replaces it.

namespace tamarind {

using AccountCellLayoutImp = void (*)(rt::Object*, rt::SEL);

void accountCellLayoutSubviews(rt::Object* self, rt::SEL);
extern Saved<AccountCellLayoutImp> originalAccountCellLayoutSubviews;

}
