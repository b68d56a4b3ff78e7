#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Pictures travel between the page and the server as base64 text inside JSON.
std::string encodeBase64(const std::vector<std::uint8_t>&);
// Nothing when the text is not base64 (padding optional, no whitespace).
std::optional<std::vector<std::uint8_t>> decodeBase64(std::string_view);
