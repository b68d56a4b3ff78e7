#pragma once

#include <nlohmann/json.hpp>

#include "SimSupport.h"
#include "host/runtime/Object.h"

// What the cell of each row shows on screen: the table is scrolled to each row in turn so the
// row's cell is realised and laid out as a person would see it, then read back.
// Returns cells[section][row]; the table is scrolled back to the top afterwards.
std::vector<std::vector<nlohmann::json>> dumpCells(rt::Object* page);
