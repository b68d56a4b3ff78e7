#pragma once

#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "host/runtime/Runtime.h"

class UILabel;
class UIView;

// What the simulator's commands, script steps and dumps share.

// Settings is given this long to settle before a page is shown: every delayed row and the
// installed apps' rows have arrived by then.
constexpr double kSettleSeconds = 1.0;
// A snapshot taps at most this many rows on its way to the page it draws; a longer walk is a
// malformed request.
constexpr std::size_t kMaximumTaps = 16;

// Says why a command failed, as the one line on standard error that every failing command
// promises ("tamarind-sim: MESSAGE"), and gives the process's exit code for it.
int fail(const std::string& message);

// The whole text as a number from `low` to `high`; nothing for anything else. Defined here, as
// the reader of script steps is also built on its own, without the rest of the simulator.
inline std::optional<double> numberBetween(const std::string& text, double low, double high)
{
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (*end || !(value >= low && value <= high))
        return std::nullopt;
    return value;
}

// A number as usage texts and messages write it: "1", "0.5", "86400".
inline std::string decimal(double value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

// The text with ASCII letters in lower case.
std::string lowered(std::string_view text);

// Writes the bytes as the file's whole contents; false with one line in `error` when it cannot.
bool writeFile(const std::filesystem::path& file, std::string_view bytes, std::string& error);

// A message by its selector's name, for the many one-off messages a dump or a command sends.
template <class R = rt::Object*, class... Args> R message(rt::Object* receiver, const char* name, Args... args)
{
    return rt::send<R>(receiver, rt::sel(name), args...);
}

// The title as the page answers it, by message (the library may answer for the page); empty
// when it answers none.
std::string titleOf(rt::Object* page);

// A string object's text, or null for nil and for any other object.
nlohmann::json optionalText(rt::Object* value);
// A colour as "#RRGGBBAA" in the interface style (null for no colour).
nlohmann::json hexColor(rt::Object* color, long style);
// A view's frame in window coordinates, as [x, y, width, height].
nlohmann::json frameOf(const UIView* view);
// What a label shows: its text, colour in the interface style, whether it is hidden and its
// frame in window coordinates; null for no label.
nlohmann::json labelOf(UILabel* label, long style);
