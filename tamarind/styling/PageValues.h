#pragma once

#include <string_view>

#include "host/runtime/Runtime.h"

// What the row operations do on pages other than the root list. Each takes the cell, its row's
// identifier and the host's title and value labels.

namespace tamarind {

// About page: the user's software version, model name, model number or serial number in the
// matching row's value, at most one of them per row.
void replaceAboutValue(std::string_view identifier, rt::Object* value);
// Battery Health page: the user's maximum capacity.
void replaceBatteryValue(std::string_view identifier, rt::Object* value);
// Connectivity and General module pages: the exposure row's fixed title and hidden values.
void adjustModuleRow(std::string_view identifier, rt::Object* title, rt::Object* value);

}
