#pragma once

#include <nlohmann/json.hpp>

#include "host/runtime/Object.h"

// What the device-information parts of a page show, read back from the views on screen.

// The footer view under a section, as placed by the table: its frame, its first line of text and
// its first image view (whether it holds an image, and where). Null when the section has no
// footer view. The table is scrolled to the footer and back.
nlohmann::json dumpSectionFooter(rt::Object* page, long section);

// The page's storage usage bar: the capacity its data answers and the text under it; null when
// the page has no bar.
nlohmann::json dumpCapacityBar(rt::Object* page);
