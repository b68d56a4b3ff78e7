#pragma once

#include "host/runtime/Object.h"
#include "tamarind/core/Replacement.h"

// App icons: the installed app's home-screen icon by bundle identifier, with one copy kept on disk,
// and the icon cache's images for the library's own keys "Tweak" and "Connectivity". Main thread.

// The icon kept on disk when there is one, whatever the identifier; otherwise the icon of the
// first installed app whose identifier contains `bundleID` (case-sensitive), written to disk as
// PNG; otherwise the system's blank icon. Exported under its plain name, as a client that looks
// it up by name expects.
extern "C" rt::Object* appIconForBundleID(rt::Object* bundleID);

namespace tamarind {

using ImageForKeyImp = rt::Object* (*)(rt::Object*, rt::SEL, rt::Object*);

// PKIconImageCache imageForKey: "Tweak" and "Connectivity" are drawn from the library's icon files
// at 29 x 29 points inside a rounded clip; every other key goes to the host cache.
rt::Object* iconCacheImageForKey(rt::Object* self, rt::SEL, rt::Object* key);
extern Saved<ImageForKeyImp> originalIconCacheImageForKey;

}
