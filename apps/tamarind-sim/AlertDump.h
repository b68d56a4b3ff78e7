#pragma once

#include <nlohmann/json.hpp>

class UIAlertController;

// The alert presented over the page on top, or null.
UIAlertController* presentedAlert();

// What the alert shows: {"title", "message", "textFields": [...], "actions": [{"title", "style"}]},
// each text field with its text, placeholder, keyboard type, focus and accessory bar items; null
// when no alert is presented.
nlohmann::json dumpAlert();
