#include "host/foundation/SystemProxySettings.h"

#include "host/foundation/Dictionary.h"
#include "host/foundation/Number.h"
#include "host/platform/Network.h"

extern "C" rt::Object* CFNetworkCopySystemProxySettings()
{
    auto settings = NSDictionary::createMutable();
    // Settings always reports that no proxy is configured for plain HTTP.
    settings->set("HTTPEnable", NSNumber::withInteger(0).get());
    std::vector<std::string> names;
    if (platform::scopedProxyInterfaces(names)) {
        auto scoped = NSDictionary::createMutable();
        for (const auto& name : names) {
            auto perInterface = NSDictionary::createMutable();
            perInterface->set("HTTPEnable", NSNumber::withInteger(0).get());
            scoped->set(name, perInterface.get());
        }
        settings->set("__SCOPED__", scoped.get());
    }
    return settings.leak();
}
