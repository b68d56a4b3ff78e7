#pragma once

#include "host/runtime/Object.h"

// The root page (PSUIPrefsListController), stored when its view loads and kept for the life of
// the process. Pages that show rows the root page keeps in its own instance variables read them
// from here.
extern rt::Object* rootListController;

namespace tamarind {

// Keeps `page` as rootListController, retained, letting go of an earlier root page.
void keepRootListController(rt::Object* page);

}
