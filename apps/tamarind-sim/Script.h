#pragma once

#include <ostream>
#include <string>

// Runs a script: one step per line, blank lines and lines starting with # ignored.
//   open PAGE | tap ROW-ID | back | advance SECONDS | style light|dark | memory-warning | dump
//   double-tap ROW-ID | type TEXT | clear | toolbar TITLE | alert TITLE
// `tap`, `double-tap`, `type`, `toolbar` and `alert` take the rest of their line, so
// "tap Theos Example 1" taps the row of that identifier. `type` and `clear` act on the text field
// that has the keyboard focus, `toolbar` presses a button of its accessory bar (such as "+/-"),
// and `alert` presses a button of the alert on screen.
// Settings is launched first, without settling: time moves only with `advance`. Each `dump` writes
// one JSON line. Stops at the first failing step with its line number in `error`.
bool runScript(const std::string& text, long interfaceStyle, std::ostream& out, std::string& error);
