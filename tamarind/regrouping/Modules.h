#pragma once

#include "host/runtime/Runtime.h"

// The modules of the regrouped root list: the three module rows that open module pages, the
// three list rows that open list pages, and what each module holds.

namespace tamarind {

enum class Module { None, Connectivity, Notifications, General, Tweaks, Apps, SystemApps };

// Whether the module's grouping switch is on (false for None).
bool groupingOn(Module);
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
