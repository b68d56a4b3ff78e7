#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "host/foundation/PropertyList.h"

// A look is the options a user set in the editor, as the page sends them: a JSON object of
// option keys and values (booleans, numbers, text, colours as RRGGBB or RRGGBBAA, and pictures as
// {"data": BASE64} or a device path). It becomes the library's preferences domain, stored as the
// colour and image picker stores it: colours as hexadecimal text, pictures as data.
//
// The host's objects are not made to be shared between threads, so every function here takes
// one process-wide lock while it works with them.

// Pictures a look may hold, each at most this big.
constexpr std::size_t kMaximumPictureBytes = std::size_t(16) << 20;

struct LookError {
    std::string key; // the option at fault, or empty
    std::string message;
};

// The domain's property list for the look, or nothing with the first option at fault. Every key
// and value goes through the same checks as --set.
std::optional<std::vector<std::uint8_t>> lookPropertyList(
    const nlohmann::json& look, PropertyListFormat, LookError& error);

// A preferences file read into a look, with the same checks and warnings as --prefs. Values that
// do not fit their option are left out of the look; each warning names its key.
struct ImportedLook {
    nlohmann::json options = nlohmann::json::object();
    nlohmann::json warnings = nlohmann::json::array(); // [{"key": ..., "message": ..., "known": bool}]
};
std::optional<ImportedLook> importLook(std::span<const std::uint8_t> file, std::string& error);
