#include "host/platform/Device.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "host/platform/DeviceRoot.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

std::optional<DeviceDescription>& current()
{
    static auto* device = new std::optional<DeviceDescription>;
    return *device;
}

std::string stringField(const json& j, const char* key, std::string fallback = {})
{
    auto it = j.find(key);
    return it != j.end() && it->is_string() ? it->get<std::string>() : fallback;
}

double numberField(const json& j, const char* key, double fallback)
{
    auto it = j.find(key);
    return it != j.end() && it->is_number() ? it->get<double>() : fallback;
}

// Reads one row; a row needs at least a name or an identifier.
bool readRow(const json& j, DeviceRow& row, std::string& error)
{
    if (!j.is_object()) {
        error = "a row is not an object";
        return false;
    }
    row.id = stringField(j, "id");
    row.name = stringField(j, "name", row.id);
    row.cell = stringField(j, "cell", "PSLinkCell");
    row.value = stringField(j, "value");
    row.iconCache = stringField(j, "iconCache");
    row.detail = stringField(j, "detail");
    row.bundleID = stringField(j, "bundleID");
    row.cellClass = stringField(j, "cellClass");
    if (row.id.empty() && row.name.empty() && row.cell != "PSGroupCell") {
        error = "a row has neither \"id\" nor \"name\"";
        return false;
    }
    return true;
}

bool readRows(const json& j, const char* key, std::vector<DeviceRow>& rows, std::string& error)
{
    auto it = j.find(key);
    if (it == j.end())
        return true;
    if (!it->is_array()) {
        error = std::string("\"") + key + "\" is not an array";
        return false;
    }
    for (auto& item : *it) {
        DeviceRow row;
        if (!readRow(item, row, error))
            return false;
        rows.push_back(std::move(row));
    }
    return true;
}

bool readOptionalRow(const json& j, const char* key, std::optional<DeviceRow>& out, std::string& error)
{
    auto it = j.find(key);
    if (it == j.end() || it->is_null())
        return true;
    DeviceRow row;
    if (!readRow(*it, row, error))
        return false;
    out = std::move(row);
    return true;
}

bool readApps(const json& j, DeviceDescription& d, std::string& error)
{
    auto it = j.find("installedApps");
    if (it == j.end())
        return true;
    if (!it->is_array()) {
        error = "\"installedApps\" is not an array";
        return false;
    }
    for (auto& item : *it) {
        DeviceApp app { item.is_object() ? stringField(item, "bundleID") : "", {}, {} };
        if (app.bundleID.empty()) {
            error = "an installed app has no \"bundleID\"";
            return false;
        }
        app.name = stringField(item, "name", app.bundleID);
        app.icon = stringField(item, "icon");
        d.installedApps.push_back(std::move(app));
    }
    return true;
}

bool readClockAndFolders(const json& j, DeviceDescription& d, std::string& error)
{
    d.startTime = numberField(j, "startTime", d.startTime);
    d.bootTime = numberField(j, "bootTime", d.startTime - kDefaultUptime);
    if (d.startTime < 0 || d.bootTime < 0) {
        error = "\"startTime\" and \"bootTime\" cannot be negative";
        return false;
    }
    if (auto it = j.find("readOnly"); it != j.end()) {
        if (!it->is_array()) {
            error = "\"readOnly\" is not an array";
            return false;
        }
        for (auto& item : *it)
            if (item.is_string())
                d.readOnlyPaths.push_back(item.get<std::string>());
    }
    if (auto it = j.find("storage"); it != j.end() && it->is_object()) {
        d.storageCapacity = numberField(*it, "capacity", d.storageCapacity);
        if (auto use = it->find("use"); use != it->end() && use->is_object())
            for (auto& [name, bytes] : use->items())
                if (bytes.is_number())
                    d.storageUse.emplace_back(name, bytes.get<double>());
    }
    if (d.storageCapacity <= 0) {
        error = "\"storage\" needs a positive \"capacity\"";
        return false;
    }
    return readRows(j, "about", d.aboutRows, error) && readApps(j, d, error);
}

bool readPages(const json& j, std::map<std::string, std::vector<DeviceRow>>& pages, std::string& error)
{
    auto it = j.find("pages");
    if (it == j.end())
        return true;
    if (!it->is_object()) {
        error = "\"pages\" is not an object";
        return false;
    }
    for (auto& [page, rows] : it->items())
        if (!readRows(*it, page.c_str(), pages[page], error))
            return false;
    return true;
}

bool readDescription(const json& j, DeviceDescription& d, std::string& error)
{
    if (!j.is_object()) {
        error = "device.json is not an object";
        return false;
    }
    d.name = stringField(j, "name", d.name);
    d.model = stringField(j, "model", d.model);
    d.systemVersion = stringField(j, "systemVersion", d.systemVersion);
    d.idiom = stringField(j, "idiom", d.idiom);
    d.interfaceStyle = stringField(j, "interfaceStyle", d.interfaceStyle);
    if (d.idiom != "phone" && d.idiom != "pad") {
        error = "\"idiom\" must be \"phone\" or \"pad\"";
        return false;
    }
    if (auto s = j.find("screen"); s != j.end() && s->is_object()) {
        d.screenWidth = numberField(*s, "width", d.screenWidth);
        d.screenHeight = numberField(*s, "height", d.screenHeight);
        d.screenScale = numberField(*s, "scale", d.screenScale);
    }
    if (d.screenWidth <= 0 || d.screenHeight <= 0 || d.screenScale <= 0 || d.screenScale > 4) {
        error = "\"screen\" needs a positive width and height and a scale of at most 4";
        return false;
    }
    double processors = numberField(j, "activeProcessorCount", static_cast<double>(d.activeProcessorCount));
    if (processors < 1 || processors > 1024) {
        error = "\"activeProcessorCount\" must be between 1 and 1024";
        return false;
    }
    d.activeProcessorCount = static_cast<unsigned>(processors);
    if (!readRows(j, "rootList", d.rootList, error) || !readRows(j, "followups", d.followups, error)
        || !readOptionalRow(j, "wallpaper", d.wallpaper, error) || !readOptionalRow(j, "exposureNotification", d.exposure, error)
        || !readOptionalRow(j, "videoSubscriber", d.videoSubscriber, error) || !readClockAndFolders(j, d, error))
        return false;
    if (!readPages(j, d.pages, error))
        return false;
    if (auto apps = j.find("apps"); apps != j.end()) {
        if (!apps->is_object() || !readRows(*apps, "rows", d.appRows, error))
            return error.empty() ? (error = "\"apps\" is not an object", false) : false;
        d.appRowsDelay = numberField(*apps, "delay", d.appRowsDelay);
    }
    if (auto ins = j.find("insertions"); ins != j.end()) {
        if (!ins->is_array()) {
            error = "\"insertions\" is not an array";
            return false;
        }
        for (auto& item : *ins) {
            DeviceInsertion insertion;
            if (!readRow(item, insertion.row, error))
                return false;
            insertion.after = stringField(item, "after");
            insertion.delay = numberField(item, "delay", 0);
            d.insertions.push_back(std::move(insertion));
        }
    }
    return true;
}

}

std::optional<DeviceDescription> loadDevice(const fs::path& folder, std::string& error)
{
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        error = "no device folder at " + folder.string();
        return std::nullopt;
    }
    std::ifstream in(folder / "device.json");
    if (!in) {
        error = "cannot read " + (folder / "device.json").string();
        return std::nullopt;
    }
    std::stringstream text;
    text << in.rdbuf();
    auto parsed = json::parse(text.str(), nullptr, false);
    if (parsed.is_discarded()) {
        error = (folder / "device.json").string() + " is not valid JSON";
        return std::nullopt;
    }
    DeviceDescription d;
    d.folder = fs::canonical(folder, ec);
    if (!readDescription(parsed, d, error)) {
        error = (folder / "device.json").string() + ": " + error;
        return std::nullopt;
    }
    d.json = std::make_shared<const json>(std::move(parsed));
    return d;
}

const DeviceDescription& currentDevice()
{
    static const DeviceDescription fallback;
    return current() ? *current() : fallback;
}

void setCurrentDevice(DeviceDescription d)
{
    setDeviceRoot(d.folder);
    current() = std::move(d);
}

bool hasCurrentDevice() { return current().has_value(); }

bool isDevicePathWritable(const std::string& devicePath)
{
    // Compared on canonical paths, so no symlink or ".." reaches round a read-only folder.
    auto target = resolveDevicePath(devicePath);
    if (!target)
        return false;
    for (auto& folder : currentDevice().readOnlyPaths) {
        auto resolved = resolveDevicePath(folder);
        if (!resolved)
            continue;
        const std::string& prefix = resolved->device;
        if (target->device == prefix || (target->device.starts_with(prefix) && (prefix.ends_with("/") || target->device[prefix.size()] == '/')))
            return false;
    }
    return true;
}

bool systemVersionAtLeast(int major, int minor, int patch)
{
    int v[3] = { 0, 0, 0 };
    std::sscanf(currentDevice().systemVersion.c_str(), "%d.%d.%d", &v[0], &v[1], &v[2]);
    int want[3] = { major, minor, patch };
    for (int i = 0; i < 3; ++i)
        if (v[i] != want[i])
            return v[i] > want[i];
    return true;
}
