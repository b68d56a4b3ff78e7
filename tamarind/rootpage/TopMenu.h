#pragma once

#include "host/runtime/Runtime.h"

// The gear at the right of the root page's navigation bar, and the pull-down menu it opens with
// "Respring" and "Safe Mode", each asking for confirmation first when the user wants that.
// Methods the library adds to the root page (PSUIPrefsListController).

namespace tamarind {

// Builds the gear button, its menu and the bar-button item, and shows the item on the page.
void initTopMenu(rt::Object* self, rt::SEL);
// The menu's entries: run the operation, or first ask in an alert.
void topMenuRespringTapGesture(rt::Object* self, rt::SEL);
void topMenuSafeModeTapGesture(rt::Object* self, rt::SEL);
// Takes a sender and does nothing.
void dismissTopMenu(rt::Object* self, rt::SEL, rt::Object* sender);

// The process-wide top menu item, or nothing before a root page built it.
rt::Object* topMenuItem();

}
