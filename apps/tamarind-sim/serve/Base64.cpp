#include "Base64.h"

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int digitValue(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

}

std::string encodeBase64(const std::vector<std::uint8_t>& bytes)
{
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = std::uint32_t(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            group |= std::uint32_t(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            group |= bytes[i + 2];
        text += kAlphabet[(group >> 18) & 63];
        text += kAlphabet[(group >> 12) & 63];
        text += i + 1 < bytes.size() ? kAlphabet[(group >> 6) & 63] : '=';
        text += i + 2 < bytes.size() ? kAlphabet[group & 63] : '=';
    }
    return text;
}

std::optional<std::vector<std::uint8_t>> decodeBase64(std::string_view text)
{
    while (!text.empty() && text.back() == '=' && text.size() % 4 != 1)
        text.remove_suffix(1);
    if (text.size() % 4 == 1)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3 + 2);
    std::uint32_t group = 0;
    int bits = 0;
    for (char c : text) {
        int value = digitValue(c);
        if (value < 0)
            return std::nullopt;
        group = (group << 6) | std::uint32_t(value);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes.push_back(static_cast<std::uint8_t>((group >> bits) & 0xff));
        }
    }
    return bytes;
}
