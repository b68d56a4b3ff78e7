#pragma once

#include "host/runtime/Object.h"

// CFNetwork's proxy settings of the system: a dictionary (owned by the caller, as every Copy
// function's result) whose "__SCOPED__" entry maps each network interface with its own settings
// to a dictionary of them. The interfaces come from the device; a device that names none yields
// a dictionary without "__SCOPED__".
extern "C" rt::Object* CFNetworkCopySystemProxySettings();
