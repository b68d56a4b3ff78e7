#include "host/platform/Device.h"

#include <cstdio>

#include <nlohmann/json.hpp>

#include "host/platform/DeviceReader.h"
#include "host/platform/DeviceRoot.h"
#include "host/platform/InputFile.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

std::optional<DeviceDescription>& current()
{
    static auto* device = new std::optional<DeviceDescription>;
    return *device;
}

}

std::optional<DeviceDescription> loadDevice(const fs::path& folder, std::string& error)
{
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        error = "no device folder at " + folder.string();
        return std::nullopt;
    }
    fs::path file = folder / "device.json";
    auto bytes = readInputFile(file, deviceLimits::kMaximumFileBytes, error);
    if (!bytes)
        return std::nullopt;
    std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    if (jsonNestingDepth(text) > deviceLimits::kMaximumNesting) {
        error = file.string() + ": arrays and objects nest deeper than " + std::to_string(deviceLimits::kMaximumNesting)
            + " levels";
        return std::nullopt;
    }
    auto parsed = json::parse(text, nullptr, false);
    if (parsed.is_discarded()) {
        error = file.string() + " is not valid JSON";
        return std::nullopt;
    }
    DeviceDescription d;
    d.folder = fs::canonical(folder, ec);
    if (!readDeviceDescription(parsed, d, error)) {
        error = file.string() + ": " + error;
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

bool hasCurrentDevice()
{
    return current().has_value();
}

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
        if (target->device == prefix
            || (target->device.starts_with(prefix) && (prefix.ends_with("/") || target->device[prefix.size()] == '/')))
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
