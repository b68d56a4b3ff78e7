#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "host/runtime/Runtime.h"

// Property lists in XML or binary form (libplist), as Foundation objects: dictionaries, arrays,
// strings, numbers (integers, reals, booleans) and data. Dates read as numbers of seconds since
// 2001. Nothing for bytes that are not a property list.
rt::Ref<rt::Object> parsePropertyList(const std::vector<uint8_t>&);

enum class PropertyListFormat { XML, Binary };
std::optional<std::vector<uint8_t>> serializePropertyList(rt::Object*, PropertyListFormat);
// Whether the bytes start like a binary property list.
bool isBinaryPropertyList(const std::vector<uint8_t>&);
