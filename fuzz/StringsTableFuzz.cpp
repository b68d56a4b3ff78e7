// Feeds arbitrary bytes to a bundle's strings table, as the library's localization bundle is read
// for the titles and subtitles of the rows it adds. Whatever the file holds, asking for a key
// answers a string: the table's when it has one for the key, else the fallback given.

#include <cstdint>
#include <cstdlib>

#include "host/foundation/Dictionary.h"
#include "host/foundation/Log.h"
#include "host/foundation/PropertyList.h"
#include "host/foundation/String.h"
#include "host/platform/DeviceRoot.h"
#include "host/runtime/AutoreleasePool.h"
#include "support/FuzzDevice.h"

namespace {

constexpr const char* kBundle = "/var/jb/Library/PreferenceBundles/TamarindLocalization.bundle";
// Each key asked for reads the file again; one key the dictionary knows is enough.
constexpr const char* kKeys[] = { "TWEAKS_TITLE" };
constexpr const char* kFallback = "fallback";

FuzzDevice& device()
{
    static FuzzDevice folder;
    return folder;
}

// What the table says for the key, read straight from the bytes.
std::string expected(rt::Object* table, const char* key)
{
    rt::Object* value = isDictionary(table) ? static_cast<NSDictionary*>(table)->get(key) : nullptr;
    return isString(value) ? toStdString(value) : kFallback;
}

}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    device().write(std::string(kBundle) + "/Info.plist", "{ CFBundleIdentifier = \"com.corvane.localization\"; }");
    setDeviceRoot(device().folder());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    rt::AutoreleasePool pool;
    // What the host logs about a broken table is kept for this input and dropped with it.
    LogCapture capture;
    device().write(std::string(kBundle) + "/en.lproj/Localizable.strings", data, size);
    rt::Object* bundle = rt::send<rt::Object*>(rt::getClass("NSBundle"), SELECTOR("bundleWithPath:"), ns(kBundle));
    if (!bundle)
        std::abort();
    auto table = readPropertyList({ data, size });
    for (const char* key : kKeys) {
        rt::Object* text = rt::send<rt::Object*>(bundle, SELECTOR("localizedStringForKey:value:table:"), ns(key),
            ns(kFallback), static_cast<rt::Object*>(nullptr));
        if (!isString(text) || toStdString(text) != expected(table.value.get(), key))
            std::abort();
    }
    return 0;
}
