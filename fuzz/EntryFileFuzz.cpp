// Feeds arbitrary bytes to the entry reader as one PreferenceLoader entry file in a device that
// also holds a preference bundle with an icon and an image beside the entry, so that bundle
// panes, simple panes and both kinds of icon are all within reach. Every row the reader makes
// must carry the label it is sorted by, and its icon, when it has one, must be an image.

#include <cstdint>
#include <cstdlib>

#include "host/foundation/Geometry.h"
#include "host/foundation/Log.h"
#include "host/foundation/String.h"
#include "host/platform/DeviceRoot.h"
#include "host/preferences/SettingsApp.h"
#include "support/FuzzDevice.h"
#include "tamarind/regrouping/EntryReader.h"

namespace {

constexpr const char* kEntryFile = "/var/jb/Library/PreferenceLoader/Preferences/Entry.plist";

FuzzDevice& device()
{
    static FuzzDevice folder;
    return folder;
}

rt::Object* property(rt::Object* row, const char* key)
{
    return rt::send<rt::Object*>(row, SELECTOR("propertyForKey:"), ns(key));
}

void inspect(rt::Object* row)
{
    if (!isString(property(row, "label")))
        std::abort();
    if (rt::Object* icon = property(row, "iconImage")) {
        CGSize size = rt::send<CGSize>(icon, SELECTOR("size"));
        if (!(size.width >= 0 && size.height >= 0))
            std::abort();
    }
    (void)rt::send<rt::Object*>(row, SELECTOR("name"));
    (void)rt::send<rt::Object*>(row, SELECTOR("identifier"));
}

}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    device().copyFromDefault("/var/jb/Library/PreferenceBundles/AuroraPrefs.bundle");
    device().copyFromDefault("/var/jb/Library/PreferenceLoader/Preferences/notes.png");
    setDeviceRoot(device().folder());
    settings::registerAppClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // What the host logs about a broken file is kept for this input and dropped with it.
    LogCapture log;
    device().write(kEntryFile, data, size);
    rt::AutoreleasePool pool;
    rt::Object* rows = tamarind::sortedTweakRows(nullptr);
    unsigned long count = rt::send<unsigned long>(rows, SELECTOR("count"));
    if (count > 1)
        std::abort();
    for (unsigned long i = 0; i < count; ++i)
        inspect(rt::send<rt::Object*>(rows, SELECTOR("objectAtIndex:"), i));
    return 0;
}
