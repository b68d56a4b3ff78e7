#pragma once

#include "host/runtime/Object.h"

// Which jailbreak prepared the device, told by its marker files, and the icon of its app.

namespace tamarind {

// One row of the detection table. The row holds when every `present` file exists and no `absent`
// file does; its app's icon is then shown, or none when `bundleID` is null.
struct JailbreakMarkers {
    const char* present[3];
    const char* absent[2];
    const char* bundleID;
};

// The rows in the order they are tried; the first that holds decides.
extern const JailbreakMarkers kJailbreakMarkers[9];

// The icon of the detected jailbreak's app (through appIconForBundleID), or nil when no row holds
// or the row that holds names no app.
rt::Object* detectedJailbreakIcon();

}
