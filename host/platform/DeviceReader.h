#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <nlohmann/json_fwd.hpp>

#include "host/platform/Device.h"

// Reads a parsed device.json into a description. Every key the host knows is checked for its
// kind and its range, and the limits below bound what a device can make the simulator build, so
// that a hand-made or damaged device is a one-line error and never an allocation without end.
// Keys the host does not know are left alone; a future host part may read them from `json`.

namespace deviceLimits {

constexpr double kMinimumScreenPoints = 1;
constexpr double kMaximumScreenPoints = 4096;
constexpr double kMinimumScale = 1;
constexpr double kMaximumScale = 4;
// The screen in pixels (points times scale), across and down; a window drawn at this size
// takes 64 MB.
constexpr double kMaximumScreenPixels = 4096;
// Rows in all the lists together (the root list, the insertions, the installed apps, the
// follow-ups, the About page, Settings' own pages and the three single rows): every row may become a cell that is laid
// out and dumped.
constexpr std::size_t kMaximumRows = 1000;
constexpr std::size_t kMaximumStringBytes = 1024;
// Apps in the registry, read-only folders, storage categories, family members, pages, network
// interfaces and scoped proxies, each.
constexpr std::size_t kMaximumEntries = 1000;
// Calendar seconds since 1970 (the year 5138), and bytes of storage (a petabyte).
constexpr double kMaximumTime = 1e11;
constexpr double kMaximumStorageBytes = 1e15;
constexpr long kMaximumBadge = 1000000;
constexpr long kMaximumProcessors = 1024;
// Seconds after the root page loaded at which the host may do its later work.
constexpr double kMaximumDelay = 60;
// Arrays and objects inside one another; the format itself needs four levels.
constexpr int kMaximumNesting = 32;
constexpr std::size_t kMaximumFileBytes = 4u << 20;

}

// On failure returns false and sets `error` to one line that names the key and what was
// expected there ("rootList[3].cell: expected a string").
bool readDeviceDescription(const nlohmann::json&, DeviceDescription&, std::string& error);

// How deeply arrays and objects nest in JSON text, counted without parsing it, so that text
// nested too deeply for the parsed tree to be handled safely is refused before it is parsed.
int jsonNestingDepth(std::string_view text);
