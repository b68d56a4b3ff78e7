#pragma once

#include <nlohmann/json.hpp>

#include "host/runtime/Runtime.h"

// The banner row of the root list as a user would describe it: a GIF (with the frame on screen,
// the loops left and its display link's rate and state), a still picture, or nothing.

// The banner cell's image view when the page's table shows a banner cell, or null.
rt::Object* findBannerView(rt::Object* page);
// The banner as JSON, or null when the page shows no banner.
nlohmann::json dumpBanner(rt::Object* page);
