#pragma once

#include "host/runtime/Runtime.h"

// Colours and images the user picked in the preference pane, read through the picker library
// (GcColorPickerUtils, GcImagePickerUtils) from the library's domain at the moment of use, so a
// colour changed in the pane shows at the next redraw without restarting Settings.

namespace tamarind {

// The colour stored under the key, otherwise the colour the hexadecimal fallback ("RRGGBB" or
// "RRGGBBAA") denotes. Autoreleased; nothing only when the picker library is missing.
rt::Object* pickedColor(const char* key, const char* fallbackHex);

// The image stored under the key, or nothing. Autoreleased.
rt::Object* pickedImage(const char* key);

// The stored picture's raw bytes (NSData), or nothing. Autoreleased.
rt::Object* pickedData(const char* key);

}
