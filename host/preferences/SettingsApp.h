#pragma once

#include "host/runtime/Runtime.h"

// The Settings application: its own classes and its launch. The classes depend on the device
// (Settings renamed instance variables between versions), so they are registered once the
// device is known and before any tweak library loads, as the app binary's classes are.
namespace settings {

void registerAppClasses();

// Creates the key window with a navigation controller whose root is the root page, shows it and
// lets the run loop settle. Returns the navigation controller.
rt::Object* launch(long interfaceStyle);

rt::Object* navigationController();
rt::Object* window();
rt::Object* rootPage();
rt::Object* topPage();

}
