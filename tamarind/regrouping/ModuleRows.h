#pragma once

#include "host/runtime/Runtime.h"

// The rows Tamarind adds to the root list: module rows that open the module and list pages, and
// the banner row.

namespace tamarind {

enum class Module { Connectivity, Notifications, General, Tweaks, Apps, SystemApps };

// A new module row (autoreleased); the root page is the target of the three module rows.
rt::Object* makeModuleRow(Module, rt::Object* rootPage);
rt::Object* makeBannerRow(rt::Object* rootPage);

}
