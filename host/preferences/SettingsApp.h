#pragma once

#include "host/runtime/Runtime.h"

// The Settings application: its own classes and its launch. The classes depend on the device
// (Settings renamed instance variables between versions), so they are registered once the
// device is known and before any tweak library loads, as the app binary's classes are.
namespace settings {

void registerAppClasses();

// Creates the key window with a navigation controller whose root is the root page, shows it and
// lets the run loop settle. On an iPad that navigation controller stands in the primary column of
// a split view (SettingsSplitView.h). Returns the root page's navigation controller.
rt::Object* launch(long interfaceStyle);

// The navigation controller a person moves through: the only one on a phone, the secondary
// column's on an iPad (where the root list's own stays put in the primary column).
rt::Object* navigationController();
rt::Object* rootNavigationController();
// The split view on an iPad; null on a phone.
rt::Object* splitViewController();
rt::Object* window();
rt::Object* rootPage();
// The page a person looks at: the top of navigationController(), or on an iPad whose secondary
// column shows no row's page, the root page.
rt::Object* topPage();
// Whether the secondary column of an iPad shows a page a row opened.
bool showsPageBeside();

}
