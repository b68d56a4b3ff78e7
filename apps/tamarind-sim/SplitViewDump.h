#pragma once

#include <nlohmann/json.hpp>

// On an iPad, which page each column of Settings' split view shows: {"primaryColumn": {"frame",
// "page", "title", "selectedRow"}, "secondaryColumn": {"frame", "page", "title", "depth",
// "empty"}}, frames in window coordinates. Null on a phone.
nlohmann::json dumpSplitView();
