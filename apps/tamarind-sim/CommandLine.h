#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The global options and the command of one tamarind-sim run.
struct CommandLine {
    std::string device; // empty: the default device
    std::string prefs;
    std::vector<std::pair<std::string, std::string>> sets;
    std::string style; // "", "light" or "dark"
    bool noTweak { false };
    std::string command;
    std::vector<std::string> arguments;
    bool help { false };
};

// Files named on the command line are read only when they are regular files of at most these
// sizes; the usage text states them.
constexpr std::size_t kMaximumPreferencesBytes = std::size_t(64) << 20;
constexpr std::size_t kMaximumGifBytes = std::size_t(64) << 20;
constexpr std::size_t kMaximumScriptBytes = std::size_t(1) << 20;
// A run works on a copy of the device folder, which may hold at most this many bytes of files.
constexpr std::size_t kMaximumDeviceBytes = std::size_t(512) << 20;

// Parses argv; on error returns nothing and sets `error` to one line.
std::optional<CommandLine> parseCommandLine(int argc, char** argv, std::string& error);
const char* usageText();
