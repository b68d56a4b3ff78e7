#pragma once

#include "host/runtime/Object.h"

// The five process-wide module arrays (NSMutableArray of PSSpecifier), created empty by the second
// constructor and never released. Filled by the root walk and the app-row loading, shown by the
// module and list pages.
extern rt::Object* connectivitySpecifiers;
extern rt::Object* notificationSpecifiers;
extern rt::Object* generalSpecifiers;
extern rt::Object* thirdPartySpecifiers;
extern rt::Object* systemAppSpecifiers;

namespace tamarind {
void createModuleArrays();
}
