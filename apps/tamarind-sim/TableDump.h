#pragma once

#include <nlohmann/json.hpp>

#include "host/runtime/Object.h"

class UIView;

// The page's table as a person would see it around the rows: its style and section insets (by
// message, so replacements are seen), its background colour, its background view with whatever
// lies on it (a picture, a blur layer and its opacity), the footer height the page answers for
// each section, and the section header and footer titles with their alignment. Null for a page
// without a table. The table is scrolled through its sections and back.
nlohmann::json dumpTable(rt::Object* page);

// A row's control (switch or slider) as shown: visibility, colours, the slider's value label.
nlohmann::json dumpControl(UIView* control, long style);
