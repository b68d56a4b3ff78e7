#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Grouping.h"

// What each module of the regrouped root list holds, and the rows that open its page.

namespace tamarind {

// The process-wide array the module's rows move into (null for None and Tweaks, whose rows are
// read from the entry files whenever they are needed).
rt::Object* moduleArray(Module);
// Whether the walk appends the module's member rows to its array as it meets them. Connectivity
// and notification rows move with the run that their start row takes, system app rows with the
// Store's run, so only General gathers its members one by one.
bool gathersMembersOnWalk(Module);

// A new module or list row (autoreleased); the root page is the target of the three module rows.
rt::Object* makeModuleRow(Module, rt::Object* rootPage);
// The banner row, its height from the settings (autoreleased).
rt::Object* makeBannerRow(rt::Object* rootPage);

}
