#pragma once

#include "host/runtime/Runtime.h"

// The three module pages (Connectivity, Notifications, General): each shows its module array,
// filtered by the member switches.

namespace tamarind {

void registerModulePages();
void installConnectivityFilter(rt::Class*);
void installNotificationsFilter(rt::Class*);
void installGeneralFilter(rt::Class*);

}
