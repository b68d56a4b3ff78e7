#pragma once

#include <ostream>
#include <string>

// Runs a script: one step per line (the steps and their arguments are listed in ScriptStep.cpp),
// blank lines and lines starting with # ignored. A step that names a row, a title or a text takes
// the rest of its line, so "tap Theos Example 1" taps the row of that identifier. Each line is
// read and checked whole before its step acts.
// Settings is launched first, without settling: time moves only with `advance`. Each `dump` writes
// one JSON line. Stops at the first failing step with its line number in `error`.
bool runScript(const std::string& text, long interfaceStyle, std::ostream& out, std::string& error);
