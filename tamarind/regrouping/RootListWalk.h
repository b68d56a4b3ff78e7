#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The regrouped root list: the replacement of the root page's specifiers.

namespace tamarind {

using SpecifiersImp = rt::Object* (*)(rt::Object*, rt::SEL);

rt::Object* rootSpecifiers(rt::Object* self, rt::SEL);
extern Saved<SpecifiersImp> originalRootSpecifiers;
}
