#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json_fwd.hpp>

// The simulated device: a folder holding the device's file system root and device.json for what
// is not a file (docs/device.md describes the format).

struct DeviceRow {
    std::string id; // identifier; empty when the row has none
    std::string name;
    std::string cell; // "PSGroupCell", "PSLinkCell", "PSSwitchCell", ...
    std::string value;
    std::string iconCache;
    std::string detail; // class of the page the row opens, when it opens one
    std::string bundleID; // installed app rows
    std::string cellClass; // the cell's class when it is not PSTableCell
    // Further properties of the row's specifier ("min", "max", "showValue", ...), in file order.
    std::vector<std::pair<std::string, std::variant<bool, double, std::string>>> properties;
};

struct DeviceInsertion {
    DeviceRow row;
    std::string after; // identifier of the row it follows; empty: at the end
    double delay { 0 }; // seconds after the root page loaded
};

// An app the installed-application registry knows: its bundle identifier, its name and the device
// path of its home-screen icon (empty: the app has none of its own).
struct DeviceApp {
    std::string bundleID;
    std::string name;
    std::string icon;
};

// When the simulation starts and when the device booted, in calendar seconds since 1970. By
// default the device booted 3 days and 4 hours before the simulation starts, as a phone in use
// has; device.json may fix either.
inline constexpr double kDefaultStartTime = 1767225600; // 2026-01-01 00:00:00 UTC
inline constexpr double kDefaultUptime = 3 * 86400 + 4 * 3600;

struct DeviceDescription {
    std::filesystem::path folder; // the device folder; its file system root is folder itself
    std::string name { "iPhone" };
    std::string model { "iPhone" };
    std::string systemVersion { "16.0" };
    std::string idiom { "phone" }; // "phone" or "pad"
    double screenWidth { 390 }, screenHeight { 844 }, screenScale { 3 };
    std::string interfaceStyle { "light" };
    std::string locale { "en_US" }; // the user's region format (NSLocale currentLocale)
    unsigned activeProcessorCount { 6 }; // cores the process may use
    std::vector<DeviceRow> rootList;
    std::vector<DeviceInsertion> insertions; // rows the host inserts later
    std::vector<DeviceRow> followups; // follow-up rows refreshed after load
    std::vector<DeviceRow> appRows; // installed apps' rows, delivered asynchronously
    std::vector<DeviceRow> aboutRows; // General > About; empty: the rows Settings builds itself
    double storageCapacity { 64e9 }; // bytes, decimal
    std::vector<std::pair<std::string, double>> storageUse; // category name and bytes used
    double appRowsDelay { 0.05 };
    std::optional<DeviceRow> wallpaper; // the row held in the root page's _wallpaperSpecifier
    std::optional<DeviceRow> exposure; // the row held in _exposureNotificationSpecifier
    std::optional<DeviceRow> videoSubscriber; // the row held in _videoSubscriberSpecifier
    double startTime { kDefaultStartTime };
    double bootTime { kDefaultStartTime - kDefaultUptime };
    std::vector<DeviceApp> installedApps; // the registry's apps, in its enumeration order
    std::vector<std::string> readOnlyPaths; // device folders whose files cannot be written
    // The rows of Settings' own pages below the root list, by the page's class name.
    std::map<std::string, std::vector<DeviceRow>> pages;
    std::shared_ptr<const nlohmann::json> json; // the whole device.json, for host parts that read more
};

// Loads a device folder. On failure returns nothing and sets `error` to one line.
std::optional<DeviceDescription> loadDevice(const std::filesystem::path& folder, std::string& error);

// The device the host simulates. Set once at start-up, before the library loads.
const DeviceDescription& currentDevice();
void setCurrentDevice(DeviceDescription);
bool hasCurrentDevice();

// Whether a file may be written at the device path: false inside a read-only folder of the device.
bool isDevicePathWritable(const std::string& devicePath);

// The platform version check (@available): whether the device runs at least major.minor.patch.
bool systemVersionAtLeast(int major, int minor = 0, int patch = 0);
