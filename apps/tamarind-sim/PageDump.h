#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "host/runtime/Runtime.h"

// A page as JSON: {"page", "title", "sections": [{"header", "footer", "rows": [{"id", "name", ...}]}]},
// read through the page's own data source messages, so replacements are seen.
nlohmann::json dumpPage(rt::Object* page, const std::string& pageName);
