#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// Accessory buttons (chevrons, checkmarks) of every cell drawn as templates in "colorAccessory"
// while "isCustomAccessoryColorEnabled" is on.

namespace tamarind {

using AccessoryImp = void (*)(rt::Object*, rt::SEL);

void accessoryButtonLayoutSubviews(rt::Object* button, rt::SEL);
extern Saved<AccessoryImp> originalAccessoryButtonLayoutSubviews;

}
