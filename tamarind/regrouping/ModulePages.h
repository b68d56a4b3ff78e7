#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"
#include "tamarind/regrouping/Modules.h"

// The three module pages (Connectivity, Notifications, General): each shows its module array,
// filtered by the member switches through a replacement of its own specifiers.

namespace tamarind {

using ModuleSpecifiersImp = rt::Object* (*)(rt::Object*, rt::SEL);

void registerModulePages();

// The filter that replaces the module page's own specifiers, and where that one is kept; M is
// Connectivity, Notifications or General.
template <Module M> rt::Object* filteredModuleSpecifiers(rt::Object* self, rt::SEL);
template <Module M> inline Saved<ModuleSpecifiersImp> originalModuleSpecifiers;

extern template rt::Object* filteredModuleSpecifiers<Module::Connectivity>(rt::Object*, rt::SEL);
extern template rt::Object* filteredModuleSpecifiers<Module::Notifications>(rt::Object*, rt::SEL);
extern template rt::Object* filteredModuleSpecifiers<Module::General>(rt::Object*, rt::SEL);
}
