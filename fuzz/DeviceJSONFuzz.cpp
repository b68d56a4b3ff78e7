// Feeds arbitrary bytes to device.json's checker as device loading runs it: text nested too deeply
// is refused before it is parsed, and what parses is read into a description. The file around it
// and Settings started on what loads are DeviceDescriptionFuzz's, at a few dozen inputs a second.
// A description that is refused must say why in one line; one that is read must keep within the
// limits the checker promises, since everything after it trusts them.

#include <cstdint>
#include <cstdlib>

#include <nlohmann/json.hpp>

#include "host/platform/Device.h"
#include "host/platform/DeviceReader.h"

namespace {

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
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (jsonNestingDepth(text) > deviceLimits::kMaximumNesting)
        return 0;
    auto parsed = nlohmann::json::parse(text, nullptr, false);
    if (parsed.is_discarded())
        return 0;
    DeviceDescription description;
    std::string error;
    if (!readDeviceDescription(parsed, description, error)) {
        if (error.empty() || error.find('\n') != std::string::npos)
            std::abort();
        return 0;
    }
    if (!error.empty() || !withinLimits(description))
        std::abort();
    return 0;
}
