// Feeds arbitrary bytes to device loading as a device's device.json. A description that loads
// becomes the simulated device: Settings launches on it with the library loaded and every
// grouping of the root list switched on, the host's later rows arrive, and the root page is
// dumped as `tamarind-sim dump root` prints it. A description that does not load must say why.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <dlfcn.h>

#include <nlohmann/json.hpp>

#include "PageDump.h"
#include "host/foundation/Log.h"
#include "host/foundation/RunLoop.h"
#include "host/foundation/String.h"
#include "host/platform/Device.h"
#include "host/platform/DeviceReader.h"
#include "host/preferences/SettingsApp.h"
#include "support/FuzzDevice.h"

// pango's fontconfig keeps its caches for the life of the process.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace {

// Every switch that makes the root walk move or add rows.
constexpr const char* kDomain = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
<key>isCustomTableCellCustomizabilityEnabled</key><true/>
<key>isConnectivityGroupingEnabled</key><true/>
<key>isNotificationsGroupingEnabled</key><true/>
<key>isGeneralGroupingEnabled</key><true/>
<key>groupTweaksEnabled</key><true/>
<key>groupThirdPartyAppsEnabled</key><true/>
<key>groupSystemAppsEnabled</key><true/>
<key>isBannerEnabled</key><true/>
<key>isFollowUpEnabled</key><false/>
<key>isWhatJailbreakEnabled</key><true/>
<key>isDeviceIDEnabled</key><true/>
</dict></plist>
)";

const char* const kModuleArrays[] = { "connectivitySpecifiers", "notificationSpecifiers", "generalSpecifiers",
    "thirdPartySpecifiers", "systemAppSpecifiers" };

FuzzDevice& device()
{
    static FuzzDevice folder("default");
    return folder;
}

void settle()
{
    RunLoop::main().runUntilIdle();
    rt::send(settings::window(), SELECTOR("layoutIfNeeded"));
    RunLoop::main().runUntilIdle();
}

// The module arrays live as long as the process and gather the rows of every walk; each input
// is a fresh start of Settings, so they start empty.
void emptyModuleArrays()
{
    for (const char* name : kModuleArrays)
        if (auto* array = static_cast<rt::Object**>(dlsym(RTLD_DEFAULT, name)); array && *array)
            rt::send(*array, SELECTOR("removeAllObjects"));
}

double latestDelay(const DeviceDescription& d)
{
    double latest = d.appRowsDelay;
    for (auto& insertion : d.insertions)
        latest = std::max(latest, insertion.delay);
    return latest;
}

}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    device().write("/var/mobile/Library/Preferences/com.corvane.sorrelpreferences.plist", kDomain);
    std::string error;
    auto description = loadDevice(device().folder(), error);
    if (!description) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::abort();
    }
    // As on a device: the app's classes exist and the device is known before the library loads.
    setCurrentDevice(std::move(*description));
    settings::registerAppClasses();
    if (!dlopen(TAM_LIBRARY_PATH, RTLD_NOW | RTLD_GLOBAL)) {
        std::fprintf(stderr, "%s\n", dlerror());
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // What the host logs about a broken file is kept for this input and dropped with it.
    LogCapture log;
    device().write("/device.json", data, size);
    std::string error;
    auto description = loadDevice(device().folder(), error);
    if (!description) {
        if (error.empty() || error.find('\n') != std::string::npos)
            std::abort();
        return 0;
    }
    long style = description->interfaceStyle == "dark" ? 2 : 1;
    setCurrentDevice(std::move(*description));
    emptyModuleArrays();
    rt::AutoreleasePool pool;
    settings::launch(style);
    settle();
    // Time moves on only until the host's last later rows arrived: every frame of the moving
    // parts of the page costs a layout, and what they show does not depend on the description.
    RunLoop::main().advance(latestDelay(currentDevice()) + 1);
    settle();
    std::string text = jsonText(dumpPage(settings::rootPage(), "root"));
    if (nlohmann::json::parse(text, nullptr, false).is_discarded())
        std::abort();
    return 0;
}
