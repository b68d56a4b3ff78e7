#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The root list's footers: under the last section a 50-point view with the device line ("Jane's
// iPhone, iOS 16.4") and the detected jailbreak's icon, each behind its own option; every other
// section footer takes the "tableCellSpacingValue" height. Main thread (table data source calls).

namespace tamarind {

using FooterViewImp = rt::Object* (*)(rt::Object*, rt::SEL, rt::Object*, long);
using FooterHeightImp = double (*)(rt::Object*, rt::SEL, rt::Object*, long);

rt::Object* rootViewForFooter(rt::Object* self, rt::SEL, rt::Object* tableView, long section);
double rootHeightForFooter(rt::Object* self, rt::SEL, rt::Object* tableView, long section);

extern Saved<FooterViewImp> originalRootViewForFooter;
// Kept for the table's account of what was displaced; the height replacement never calls it.
extern Saved<FooterHeightImp> originalRootHeightForFooter;

}
