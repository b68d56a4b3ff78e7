#pragma once

#include "host/runtime/Object.h"

// The root page, stored when its view loads and kept for the life of the process.
extern rt::Object* rootListController;

namespace tamarind {

void installRootViewDidLoad(rt::Class* rootPage);

}
