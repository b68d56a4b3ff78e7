// Feeds arbitrary bytes to device loading as a device's device.json, without starting Settings on
// what loads (DeviceDescriptionFuzz does that, at a few dozen inputs a second). A description
// that does not load must say why in one line; one that loads must keep within the limits the
// checker promises, since everything after it trusts them.

#include <cstdint>
#include <cstdlib>

#include "host/platform/Device.h"
#include "host/platform/DeviceReader.h"
#include "support/FuzzDevice.h"

namespace {

FuzzDevice& device()
{
    static FuzzDevice folder;
    return folder;
}

bool withinLimits(const DeviceDescription& d)
{
    using namespace deviceLimits;
    if (!(d.screenWidth >= kMinimumScreenPoints && d.screenWidth <= kMaximumScreenPoints)
        || !(d.screenHeight >= kMinimumScreenPoints && d.screenHeight <= kMaximumScreenPoints)
        || !(d.screenScale >= kMinimumScale && d.screenScale <= kMaximumScale)
        || d.screenWidth * d.screenScale > kMaximumScreenPixels || d.screenHeight * d.screenScale > kMaximumScreenPixels)
        return false;
    if (d.idiom != "phone" && d.idiom != "pad")
        return false;
    if (d.interfaceStyle != "light" && d.interfaceStyle != "dark")
        return false;
    std::size_t rows = d.rootList.size() + d.followups.size() + d.appRows.size() + d.insertions.size() + d.aboutRows.size();
    for (auto& [page, pageRows] : d.pages)
        rows += pageRows.size();
    if (rows > kMaximumRows || d.installedApps.size() > kMaximumEntries || d.readOnlyPaths.size() > kMaximumEntries)
        return false;
    for (auto& row : d.rootList)
        if (row.name.size() > kMaximumStringBytes || row.id.size() > kMaximumStringBytes)
            return false;
    for (auto& insertion : d.insertions)
        if (!(insertion.delay >= 0 && insertion.delay <= kMaximumDelay))
            return false;
    return d.appRowsDelay >= 0 && d.appRowsDelay <= kMaximumDelay;
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    device().write("/device.json", data, size);
    std::string error;
    auto description = loadDevice(device().folder(), error);
    if (!description) {
        if (error.empty() || error.find('\n') != std::string::npos)
            std::abort();
        return 0;
    }
    if (!error.empty() || !withinLimits(*description))
        std::abort();
    return 0;
}
