#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// The bytes of a text, as the property list readers take their input.
inline std::vector<std::uint8_t> bytes(std::string_view text)
{
    return { text.begin(), text.end() };
}
