// Feeds arbitrary bytes to the library's preferences: they become the domain's file in a device,
// and both reading passes read it through a suite of their own as the load-time constructors do.
// Describing the options is left to the simulator's `options` command, which the sanitizer tests
// run on every device: built for each input it cost four fifths of the target's time.

#include <cstdint>

#include "host/foundation/Log.h"
#include "host/foundation/String.h"
#include "host/platform/DeviceRoot.h"
#include "support/FuzzDevice.h"
#include "tamarind/core/PreferencesDomain.h"
#include "tamarind/core/Settings.h"

namespace {

constexpr const char* kDomainFile = "/var/mobile/Library/Preferences/com.corvane.sorrelpreferences.plist";

// The device lives until the process exits, which removes its folder.
FuzzDevice& device()
{
    static FuzzDevice folder;
    return folder;
}

rt::Ref<rt::Object> makeSuite()
{
    rt::Object* suite = rt::send<rt::Object*>(rt::getClass("NSUserDefaults"), SELECTOR("alloc"));
    return rt::adopt(rt::send<rt::Object*>(suite, SELECTOR("initWithSuiteName:"), ns(tamarind::kSuiteName)));
}

// The passes keep the strings they read for the life of the process; a process that reads the
// domain again and again lets the previous ones go first.
void release(rt::Object*& value)
{
    if (value)
        value->release();
    value = nullptr;
}
template <class T> void release(T&) { }

#define TAM_RELEASE_FIELD(key) release(settings.key);

void releaseStrings()
{
    {
        auto& settings = tamarind::firstPass;
        TAM_FIRST_PASS_OPTIONS(TAM_RELEASE_FIELD)
    }
    {
        auto& settings = tamarind::secondPass;
        TAM_SECOND_PASS_OPTIONS(TAM_RELEASE_FIELD)
    }
}

}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setDeviceRoot(device().folder());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // What the host logs about a broken file is kept for this input and dropped with it.
    LogCapture log;
    device().write(kDomainFile, data, size);
    rt::AutoreleasePool pool;
    releaseStrings();
    tamarind::readFirstPass(makeSuite().get());
    tamarind::readSecondPass(makeSuite().get());
    return 0;
}
