#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "host/runtime/Runtime.h"

// A page as JSON: {"page", "title", "sections": [{"header", "footer", "rows": [{"id", "name", ...}]}]},
// read through the page's own data source messages, so replacements are seen.
// Each row's "cell" is what the table shows once scrolled to it; with CellScan::Skip (Settings
// in the background, where nothing scrolls or draws) rows and sections come without cells and
// footers.
enum class CellScan { Scroll, Skip };
nlohmann::json dumpPage(rt::Object* page, const std::string& pageName, CellScan = CellScan::Scroll);

// The JSON text of a dump. A device's names and labels need not be UTF-8, so text that is not
// is written with U+FFFD in place of each invalid byte instead of stopping the dump.
std::string jsonText(const nlohmann::json&, int indent = -1);
