#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
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

// An option given before the command: its name, the value it takes (empty for a switch), whether
// it may be given again, what it does in the usage's words, and how it is taken into the command
// line (false with `error` set to one line when the value is refused).
struct GlobalOption {
    enum class Repeat { Once, Many };
    std::string_view name;
    std::string_view value;
    Repeat repeat;
    std::string_view usage;
    bool (*apply)(CommandLine&, const char* value, std::string& error);
};
std::span<const GlobalOption> globalOptions();

// Parses argv; on error returns nothing and sets `error` to one line.
std::optional<CommandLine> parseCommandLine(int argc, char** argv, std::string& error);
