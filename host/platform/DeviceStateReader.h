#pragma once

#include <nlohmann/json_fwd.hpp>

#include "host/platform/Device.h"
#include "host/platform/JsonChecker.h"

// The keys of device.json that describe the device rather than its Settings rows: the clock,
// the storage, the installed-application registry, read-only folders, and what the services
// Settings asks answer (the family circle, the TV provider, the radios, waiting updates). Each is
// checked as host/platform/DeviceReader.h describes.
bool readDeviceState(JsonChecker&, const nlohmann::json& top, DeviceDescription&);
