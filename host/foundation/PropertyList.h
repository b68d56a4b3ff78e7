#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/runtime/Runtime.h"

// A property list read from bytes, or nothing and the reason it could not be read.
struct PropertyListResult {
    rt::Ref<rt::Object> value;
    std::string error;
};

// Property lists in XML or binary form (libplist) or in the old-style ASCII form, as Foundation
// objects: dictionaries, arrays, strings, numbers (integers, reals, booleans) and data. Dates read
// as numbers of seconds since 2001. The form is told from the first bytes, as the platform does.
PropertyListResult readPropertyList(std::span<const uint8_t>);

// The property list of the bytes, or nothing when they hold none; then the reason is logged once,
// naming `source` (the file read) when it is given.
rt::Ref<rt::Object> parsePropertyList(const std::vector<uint8_t>&, std::string_view source = {});

enum class PropertyListFormat { XML, Binary };
std::optional<std::vector<uint8_t>> serializePropertyList(rt::Object*, PropertyListFormat);
// Whether the bytes start like a binary property list.
bool isBinaryPropertyList(const std::vector<uint8_t>&);
