#include "host/foundation/UnicodeText.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;


// The length of the UTF-8 sequence that starts at `i`, or 0 when it is not a well-formed one
// (overlong forms, surrogates and values past U+10FFFF included).
size_t sequenceLength(std::string_view s, size_t i)
{
    auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (!length || lead > 0xF4 || i + length > s.size())
        return 0;
    for (size_t k = 1; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    unsigned char second = byte(i + 1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90)
        || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

}

void appendUTF8(std::string& out, char32_t c)
{
    if (isHighSurrogate(c) || isLowSurrogate(c) || c > 0x10FFFF)
        c = kReplacementCharacter;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isValidUTF8(std::string_view s)
{
    for (size_t i = 0; i < s.size();) {
        size_t length = sequenceLength(s, i);
        if (!length)
            return false;
        i += length;
    }
    return true;
}

std::string replacingInvalidUTF8(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        size_t length = sequenceLength(s, i);
        if (length)
            out.append(s, i, length);
        else
            appendUTF8(out, 0xFFFD);
        i += length ? length : 1;
    }
    return out;
}

std::optional<std::string> utf8FromUTF16(std::span<const std::uint8_t> bytes, ByteOrder order)
{
    if (bytes.size() % 2)
        return std::nullopt;
    auto unit = [&](size_t i) -> char32_t {
        return order == ByteOrder::LittleEndian ? bytes[i] | bytes[i + 1] << 8 : bytes[i] << 8 | bytes[i + 1];
    };
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (isHighSurrogate(c) && i + 3 < bytes.size() && isLowSurrogate(unit(i + 2))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        }
        appendUTF8(out, c);
    }
    return out;
}

std::optional<std::string> decodeUnicodeText(std::span<const std::uint8_t> bytes)
{
    auto startsWith = [&](std::initializer_list<std::uint8_t> mark) {
        return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
    };
    if (startsWith({ 0xFF, 0xFE }))
        return utf8FromUTF16(bytes.subspan(2), ByteOrder::LittleEndian);
    if (startsWith({ 0xFE, 0xFF }))
        return utf8FromUTF16(bytes.subspan(2), ByteOrder::BigEndian);
    if (startsWith({ 0xEF, 0xBB, 0xBF }))
        bytes = bytes.subspan(3);
    std::string text(bytes.begin(), bytes.end());
    if (!isValidUTF8(text))
        return std::nullopt;
    return text;
}
