#pragma once

#include <string_view>

// The rows that belong to each module and the switch that shows or hides each of them.

namespace tamarind {

// The member switch of a row identifier, or nothing when the identifier has none.
const bool* connectivitySwitch(std::string_view identifier);
const bool* notificationsSwitch(std::string_view identifier);
const bool* generalSwitch(std::string_view identifier);

}
