#pragma once

#include <string>

// Presses the button of that title on the alert shown topmost in Settings' window, as a finger
// would, and lets the run loop settle. Returns false with one line in `error` when no alert is
// shown or the alert has no enabled button of that title.
bool pressAlertButton(const std::string& title, std::string& error);
