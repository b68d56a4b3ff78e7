#pragma once

#include <ostream>
#include <string>

// Runs a script: one step per line, blank lines and lines starting with # ignored.
//   open PAGE | tap ROW-ID | back | advance SECONDS | style light|dark | memory-warning | dump
// `tap` takes the rest of its line, so "tap Theos Example 1" taps the row of that identifier.
// Settings is launched first, without settling: time moves only with `advance`. Each `dump` writes
// one JSON line. Stops at the first failing step with its line number in `error`.
bool runScript(const std::string& text, long interfaceStyle, std::ostream& out, std::string& error);
