#pragma once

#include <nlohmann/json.hpp>

#include "host/runtime/Object.h"

class UIView;

// A colour as "#RRGGBBAA" in the interface style (null for no colour).
nlohmann::json hexColor(rt::Object* color, long style);
// A view's frame in window coordinates, as [x, y, width, height].
nlohmann::json frameOf(const UIView* view);

// What the cell of each row shows on screen: the table is scrolled to each row in turn so the
// row's cell is realised and laid out as a person would see it, then read back.
// Returns cells[section][row]; the table is scrolled back to the top afterwards.
std::vector<std::vector<nlohmann::json>> dumpCells(rt::Object* page);
