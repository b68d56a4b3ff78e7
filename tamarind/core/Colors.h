#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/OptionTable.h"

// Colours and images the user picked in the preference pane, read through the picker library
// (GcColorPickerUtils, GcImagePickerUtils) from the library's domain at the moment of use, so a
// colour changed in the pane shows at the next redraw without restarting Settings.

namespace tamarind {

// The account row's labels pass fallbacks of their own for the label colours; every other use
// passes the option's common fallback.
enum class ColorUse { Common, AccountRow };

// The colour stored under the option's key, otherwise the colour of the fallback the option table
// gives for the use. Autoreleased; nothing only when the picker library is missing.
rt::Object* pickedColor(ColorOption, ColorUse = ColorUse::Common);

// The image stored under the key, or nothing. Autoreleased.
rt::Object* pickedImage(PictureOption);

// The stored picture's raw bytes (NSData), or nothing. Autoreleased.
rt::Object* pickedData(PictureOption);

}
