#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Conversions between the Unicode encodings that text files and escapes arrive in and the UTF-8
// that every string object holds.

// The two halves of a UTF-16 surrogate pair.
constexpr bool isHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool isLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Appends a code point as UTF-8. Surrogates and values past U+10FFFF, which UTF-8 cannot carry,
// become U+FFFD.
void appendUTF8(std::string&, char32_t);

bool isValidUTF8(std::string_view);
// The text with every byte that starts no valid UTF-8 sequence replaced by U+FFFD.
std::string replacingInvalidUTF8(std::string_view);

enum class ByteOrder { LittleEndian, BigEndian };
// UTF-16 text (without its byte-order mark) as UTF-8; nothing for an odd number of bytes. An
// unpaired surrogate becomes U+FFFD, as it cannot be represented otherwise.
std::optional<std::string> utf8FromUTF16(std::span<const std::uint8_t>, ByteOrder);

// Text in UTF-8, or in UTF-16 when a byte-order mark says so, as UTF-8 without the mark; nothing
// when the bytes are not such text.
std::optional<std::string> decodeUnicodeText(std::span<const std::uint8_t>);
