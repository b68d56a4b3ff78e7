#pragma once

#include <nlohmann/json.hpp>

#include "host/runtime/Runtime.h"

// What the root page shows above and around its list: the floating account and search buttons,
// the gear of the top menu with its menu, the search bar, and the account row's picture and
// labels. Null for a page that is not a root page.
nlohmann::json dumpRootControls(rt::Object* page);

// Every child the device spawned so far, each as its argument vector.
nlohmann::json dumpSpawned();

// The root page's floating button that sends this action ("openAccountCell:", "toggleSearch:"),
// or null.
class UIButton;
UIButton* floatingButton(rt::Object* page, const char* action);
// The gear button of the root page's top menu, or null.
UIButton* topMenuButton(rt::Object* page);
