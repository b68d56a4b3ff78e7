#include "host/platform/DeviceStateReader.h"

#include "host/platform/DeviceReader.h"

using nlohmann::json;
using namespace deviceLimits;

namespace {

bool readClock(JsonChecker& check, const json& top, DeviceDescription& d)
{
    if (!check.range(top, "", "startTime", d.startTime, 0, kMaximumTime))
        return false;
    // The default boot time lies a few days before the start; a start earlier than that needs a
    // boot time of its own.
    if (!check.find(top, "bootTime")) {
        d.bootTime = d.startTime - kDefaultUptime;
        return d.bootTime >= 0
            || check.fail(
                "startTime", "at least " + JsonChecker::number(kDefaultUptime) + " when there is no \"bootTime\"");
    }
    return check.range(top, "", "bootTime", d.bootTime, 0, d.startTime);
}

bool readStorage(JsonChecker& check, const json& top, DeviceDescription& d)
{
    const json* storage = check.object(top, "", "storage");
    if (!storage)
        return check.ok();
    if (!check.range(*storage, "storage", "capacity", d.storageCapacity, 1, kMaximumStorageBytes))
        return false;
    const json* use = check.object(*storage, "storage", "use");
    if (!use)
        return check.ok();
    if (use->size() > kMaximumEntries)
        return check.fail("storage.use", "at most " + std::to_string(kMaximumEntries) + " categories");
    for (auto& [name, bytes] : use->items()) {
        double used = 0;
        if (name.size() > kMaximumStringBytes)
            return check.fail(
                "storage.use", "category names of at most " + std::to_string(kMaximumStringBytes) + " bytes");
        if (!check.range(*use, "storage.use", name.c_str(), used, 0, kMaximumStorageBytes))
            return false;
        d.storageUse.emplace_back(name, used);
    }
    return true;
}

bool readInstalledApps(JsonChecker& check, const json& top, DeviceDescription& d)
{
    const json* apps = check.array(top, "", "installedApps", kMaximumEntries, "apps");
    for (std::size_t i = 0; apps && i < apps->size(); ++i) {
        std::string path = JsonChecker::element("installedApps", i);
        const json& item = (*apps)[i];
        DeviceApp app;
        if (!item.is_object())
            return check.fail(path, "an object");
        if (!check.string(item, path, "bundleID", app.bundleID))
            return false;
        if (app.bundleID.empty())
            return check.fail(JsonChecker::member(path, "bundleID"), "a bundle identifier");
        app.name = app.bundleID;
        if (!check.string(item, path, "name", app.name) || !check.string(item, path, "icon", app.icon))
            return false;
        d.installedApps.push_back(std::move(app));
    }
    return check.ok();
}

// An array of strings, each read into `out` when given.
bool readStrings(
    JsonChecker& check, const json& parent, const char* path, const char* key, std::vector<std::string>* out)
{
    const json* list = check.array(parent, path, key, kMaximumEntries, "entries");
    for (std::size_t i = 0; list && i < list->size(); ++i) {
        const json& item = (*list)[i];
        if (!item.is_string() || item.get_ref<const std::string&>().size() > kMaximumStringBytes)
            return check.fail(JsonChecker::element(JsonChecker::member(path, key), i),
                "a string of at most " + std::to_string(kMaximumStringBytes) + " bytes");
        if (out)
            out->push_back(item.get<std::string>());
    }
    return check.ok();
}

// The interfaces and scoped proxies the network stand-ins answer with.
bool checkNetwork(JsonChecker& check, const json& top)
{
    const json* network = check.object(top, "", "network");
    if (!network)
        return check.ok();
    const json* interfaces = check.array(*network, "network", "interfaces", kMaximumEntries, "interfaces");
    for (std::size_t i = 0; interfaces && i < interfaces->size(); ++i) {
        std::string path = JsonChecker::element("network.interfaces", i);
        const json& item = (*interfaces)[i];
        std::string text;
        if (!item.is_object())
            return check.fail(path, "an object");
        if (!check.string(item, path, "name", text) || !check.choice(item, path, "family", text, { "ipv4", "ipv6" })
            || !check.string(item, path, "address", text))
            return false;
    }
    return check.ok() && readStrings(check, *network, "network", "scopedProxies", nullptr);
}

// Keys that host parts read from the description themselves; only their kinds are checked here.
bool checkServiceAnswers(JsonChecker& check, const json& top)
{
    std::string text;
    bool flag = false;
    long badge = 0;
    return readStrings(check, top, "", "family", nullptr) && check.string(top, "", "videoSubscriberProvider", text)
        && check.string(top, "", "purgatoryProfile", text) && check.boolean(top, "", "bluetoothPower", flag)
        && check.boolean(top, "", "ethernetConnected", flag)
        && check.boolean(top, "", "exposureNotificationsAvailable", flag)
        && check.integer(top, "", "applicationIconBadgeNumber", badge, 0, kMaximumBadge);
}

bool readProcessors(JsonChecker& check, const json& top, DeviceDescription& d)
{
    long processors = d.activeProcessorCount;
    if (!check.integer(top, "", "activeProcessorCount", processors, 1, kMaximumProcessors))
        return false;
    d.activeProcessorCount = static_cast<unsigned>(processors);
    return true;
}

}

bool readDeviceState(JsonChecker& check, const json& top, DeviceDescription& d)
{
    return readClock(check, top, d) && readProcessors(check, top, d) && readStorage(check, top, d)
        && readInstalledApps(check, top, d) && readStrings(check, top, "", "readOnly", &d.readOnlyPaths)
        && checkServiceAnswers(check, top) && checkNetwork(check, top);
}
