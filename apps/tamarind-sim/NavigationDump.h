#pragma once

#include <nlohmann/json.hpp>

#include "host/runtime/Object.h"

// What the page's navigation bar shows: the small title (text, colour, hidden), whether the large
// title shows and where, and the bar's background colour in force (null while the bar is clear).
nlohmann::json dumpNavigationBar(rt::Object* page);

// The page's scroll view state: content inset, content offset and its scroll indicators' bars.
nlohmann::json dumpScrolling(rt::Object* page);

// The root page's own state: whether it is the library's rootListController, the rows it keeps
// in its instance variables, the controllers presented over it, in order, and the app's badge.
nlohmann::json dumpRootPageState(rt::Object* page);
