#include <dlfcn.h>

#include "host/foundation/String.h"
#include "host/platform/DynamicLoader.h"
#include "tamarind/core/ModuleArrays.h"
#include "tamarind/core/PreferencesDomain.h"
#include "tamarind/core/Settings.h"
#include "tamarind/startup/OwnClasses.h"
#include "tamarind/startup/ReplacementTable.h"

// The load-time constructors, run in this order on the thread that loads the library. The
// library's own classes are registered first, whatever the constructors decide.

namespace tamarind {

namespace {

constexpr const char* kPreferenceLoader = "/var/jb/Library/MobileSubstrate/DynamicLibraries/PreferenceLoader.dylib";

// PreferenceLoader is loaded only to test that it is there; the handle is never closed.
bool preferenceLoaderPresent()
{
    return platform::dlopenDevice(kPreferenceLoader, RTLD_LAZY) != nullptr;
}

rt::Ref<rt::Object> makeSuite()
{
    rt::Class* defaults = rt::getClass("NSUserDefaults");
    return rt::adopt(rt::send<rt::Object*>(
        rt::send<rt::Object*>(defaults, SELECTOR("alloc")), SELECTOR("initWithSuiteName:"), ns(kSuiteName)));
}

}

}

[[gnu::constructor(200)]] static void registerOwnClasses()
{
    tamarind::registerOwnClasses();
}

[[gnu::constructor(201)]] static void constructor1()
{
    using namespace tamarind;
    rt::AutoreleasePool pool;
    if (!preferenceLoaderPresent())
        return;
    readFirstPass(makeSuite());
    if (!firstPass.tweakEnabled)
        return;
    installGroup("first", firstGroup());
}

[[gnu::constructor(202)]] static void constructor2()
{
    tamarind::createModuleArrays();
}

[[gnu::constructor(203)]] static void constructor3()
{
    using namespace tamarind;
    rt::AutoreleasePool pool;
    if (!preferenceLoaderPresent())
        return;
    readSecondPass(makeSuite());
    if (!secondPass.tweakEnabled)
        return;
    installGroup("second", secondGroup());
}
