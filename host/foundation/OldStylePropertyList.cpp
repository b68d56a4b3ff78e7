#include "host/foundation/OldStylePropertyList.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "host/foundation/Array.h"
#include "host/foundation/Data.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/String.h"
#include "host/foundation/UnicodeText.h"

using rt::Object;
using rt::Ref;

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

// The characters a string may be written with and without quotes.
bool isBareCharacter(char c)
{
    return isLetter(c) || isDigit(c) || c == '_' || c == '$' || c == '/' || c == ':' || c == '.' || c == '-';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}


// A character as an error message shows it: printable ones quoted, others by their byte value.
std::string describeCharacter(char c)
{
    if (c > ' ' && c < 0x7F)
        return std::string("'") + c + "'";
    char text[16];
    std::snprintf(text, sizeof text, "byte 0x%02X", static_cast<unsigned char>(c));
    return text;
}

// A recursive-descent reader over the decoded text. Every read function leaves the position just
// past what it read; on failure it records the first reason, with the line it was found on, and
// returns nothing, and the callers give up at once.
class Reader {
public:
    explicit Reader(std::string_view text)
        : m_text(text)
    {
    }

    Ref<Object> readTopLevel();
    std::string error() const { return "line " + std::to_string(m_errorLine) + ": " + m_error; }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }
    bool skipSpaceAndComments();
    bool startsBareDictionary() const;

    Ref<Object> readValue(int depth);
    Ref<Object> readDictionary(int depth, char closing);
    bool readEntry(NSDictionary&, int depth);
    Ref<Object> readArray(int depth);
    Ref<Object> readData();
    std::optional<std::string> readString();
    std::optional<std::string> readQuoted();
    bool readEscape(std::string& out, char16_t& pendingHigh);
    char32_t readEscapedNumber(int base, int maximumDigits);

    Ref<Object> fail(std::string reason);

    std::string_view m_text;
    size_t m_pos { 0 };
    std::string m_error;
    size_t m_errorLine { 0 };
};

Ref<Object> Reader::fail(std::string reason)
{
    if (m_error.empty()) {
        m_error = std::move(reason);
        size_t end = std::min(m_pos, m_text.size());
        m_errorLine = 1 + std::count(m_text.begin(), m_text.begin() + static_cast<std::ptrdiff_t>(end), '\n');
    }
    return nullptr;
}

bool Reader::skipSpaceAndComments()
{
    while (!atEnd()) {
        if (isSpace(peek())) {
            ++m_pos;
        } else if (m_text.substr(m_pos, 2) == "//") {
            size_t end = m_text.find('\n', m_pos);
            m_pos = end == std::string_view::npos ? m_text.size() : end + 1;
        } else if (m_text.substr(m_pos, 2) == "/*") {
            size_t end = m_text.find("*/", m_pos + 2);
            if (end == std::string_view::npos) {
                fail("a comment opened with /* is never closed");
                return false;
            }
            m_pos = end + 2;
        } else {
            break;
        }
    }
    return true;
}

// Whether the text is a run of `key = value;` pairs without the outer braces: a string followed
// by '='. A copy reads ahead so that nothing here moves the position or records an error.
bool Reader::startsBareDictionary() const
{
    Reader ahead = *this;
    return ahead.readString() && ahead.skipSpaceAndComments() && ahead.peek() == '=';
}

Ref<Object> Reader::readTopLevel()
{
    if (!skipSpaceAndComments())
        return nullptr;
    if (atEnd() || startsBareDictionary())
        return readDictionary(0, '\0');
    auto value = readValue(0);
    if (!value || !skipSpaceAndComments())
        return nullptr;
    if (!atEnd())
        return fail("unexpected " + describeCharacter(peek()) + " after the end of the property list");
    return value;
}

Ref<Object> Reader::readValue(int depth)
{
    if (depth > kOldStyleMaximumDepth)
        return fail("containers are nested more than " + std::to_string(kOldStyleMaximumDepth) + " deep");
    if (!skipSpaceAndComments())
        return nullptr;
    char c = peek();
    if (c == '{') {
        ++m_pos;
        return readDictionary(depth, '}');
    }
    if (c == '(') {
        ++m_pos;
        return readArray(depth);
    }
    if (c == '<') {
        ++m_pos;
        return readData();
    }
    if (atEnd())
        return fail("the text ends where a value was expected");
    auto string = readString();
    return string ? NSString::create(*string) : nullptr;
}

// Reads entries up to `closing`, or up to the end of the text when `closing` is '\0' (the bare
// form). The opening brace, if any, has been read.
Ref<Object> Reader::readDictionary(int depth, char closing)
{
    auto dictionary = NSDictionary::createMutable();
    for (;;) {
        if (!skipSpaceAndComments())
            return nullptr;
        if (closing && peek() == closing) {
            ++m_pos;
            return dictionary;
        }
        if (atEnd())
            return closing ? fail("a dictionary is never closed with '}'") : Ref<Object>(dictionary);
        if (!readEntry(*dictionary, depth))
            return nullptr;
    }
}

// One `key = value;` entry. A key given twice keeps its later value.
bool Reader::readEntry(NSDictionary& dictionary, int depth)
{
    auto key = readString();
    if (!key)
        return false;
    if (!skipSpaceAndComments())
        return false;
    if (peek() != '=') {
        fail("expected '=' after the key \"" + *key + "\"");
        return false;
    }
    ++m_pos;
    auto value = readValue(depth + 1);
    if (!value || !skipSpaceAndComments())
        return false;
    if (peek() != ';') {
        fail("expected ';' after the value of \"" + *key + "\"");
        return false;
    }
    ++m_pos;
    dictionary.set(*key, value.get());
    return true;
}

// The items of an array, separated by commas; a comma after the last item is allowed. The
// opening parenthesis has been read.
Ref<Object> Reader::readArray(int depth)
{
    auto array = NSArray::createMutable();
    for (;;) {
        if (!skipSpaceAndComments())
            return nullptr;
        if (peek() == ')') {
            ++m_pos;
            return array;
        }
        auto item = readValue(depth + 1);
        if (!item || !skipSpaceAndComments())
            return nullptr;
        array->add(item.get());
        if (peek() == ',')
            ++m_pos;
        else if (peek() != ')')
            return fail(atEnd() ? "an array is never closed with ')'"
                                : "expected ',' or ')' in an array, not " + describeCharacter(peek()));
    }
}

// Pairs of hexadecimal digits up to '>', with space anywhere between them. The '<' has been read.
Ref<Object> Reader::readData()
{
    std::vector<std::uint8_t> bytes;
    int high = -1;
    for (; !atEnd(); ++m_pos) {
        char c = peek();
        if (isSpace(c))
            continue;
        if (c == '>') {
            if (high >= 0)
                return fail("data has an odd number of hexadecimal digits");
            ++m_pos;
            return NSData::create(std::move(bytes));
        }
        int digit = hexValue(c);
        if (digit < 0)
            return fail("unexpected " + describeCharacter(c) + " in data");
        if (high < 0) {
            high = digit;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(high << 4 | digit));
            high = -1;
        }
    }
    return fail("data is never closed with '>'");
}

std::optional<std::string> Reader::readString()
{
    char c = peek();
    if (c == '"' || c == '\'')
        return readQuoted();
    if (!isBareCharacter(c)) {
        fail(atEnd() ? "the text ends where a string was expected" : "unexpected " + describeCharacter(c));
        return std::nullopt;
    }
    size_t start = m_pos;
    while (!atEnd() && isBareCharacter(peek()))
        ++m_pos;
    return std::string(m_text.substr(start, m_pos - start));
}

// A string in double or single quotes, with backslash escapes. A high surrogate written as \U
// waits for the low one that should follow it; either half alone becomes U+FFFD.
std::optional<std::string> Reader::readQuoted()
{
    char quote = m_text[m_pos++];
    std::string out;
    char16_t pendingHigh = 0;
    while (!atEnd() && peek() != quote) {
        if (peek() == '\\') {
            if (!readEscape(out, pendingHigh))
                return std::nullopt;
            continue;
        }
        if (pendingHigh)
            appendUTF8(out, std::exchange(pendingHigh, 0));
        out += m_text[m_pos++];
    }
    if (atEnd()) {
        fail("a quoted string is never closed");
        return std::nullopt;
    }
    ++m_pos;
    if (pendingHigh)
        appendUTF8(out, pendingHigh);
    return out;
}

// One escape after a backslash: \U and up to four hexadecimal digits (a UTF-16 unit), up to three
// octal digits (a byte, read as Latin-1 above 0x7F), a letter of the C escapes, or any other
// character, which stands for itself.
bool Reader::readEscape(std::string& out, char16_t& pendingHigh)
{
    ++m_pos;
    if (atEnd()) {
        fail("a quoted string is never closed");
        return false;
    }
    char c = m_text[m_pos];
    bool numeric = c == 'U' || isOctalDigit(c);
    char32_t value;
    if (c == 'U') {
        ++m_pos;
        if (hexValue(peek()) < 0) {
            fail("\\U is not followed by hexadecimal digits");
            return false;
        }
        value = readEscapedNumber(16, 4);
    } else if (numeric) {
        value = readEscapedNumber(8, 3);
    } else {
        static constexpr std::string_view kNamed = "a\ab\bf\fn\nr\rt\tv\v";
        size_t named = kNamed.find(c);
        value = named != std::string_view::npos && named % 2 == 0 ? kNamed[named + 1] : static_cast<unsigned char>(c);
        ++m_pos;
    }
    if (pendingHigh && isLowSurrogate(value)) {
        appendUTF8(out, 0x10000 + ((char32_t(pendingHigh) - 0xD800) << 10) + (value - 0xDC00));
        pendingHigh = 0;
        return true;
    }
    if (pendingHigh)
        appendUTF8(out, std::exchange(pendingHigh, 0));
    if (isHighSurrogate(value))
        pendingHigh = static_cast<char16_t>(value);
    else if (numeric || value < 0x80)
        appendUTF8(out, value);
    else
        out += c; // The first byte of an escaped multi-byte character; the rest follow as they are.
    return true;
}

// Up to `maximumDigits` digits in `base`; an octal escape above \377 stops before the digit that
// would take it past a byte.
char32_t Reader::readEscapedNumber(int base, int maximumDigits)
{
    char32_t value = 0;
    for (int i = 0; i < maximumDigits && !atEnd(); ++i) {
        int digit = base == 16 ? hexValue(peek()) : isOctalDigit(peek()) ? peek() - '0' : -1;
        if (digit < 0 || value * base + digit > (base == 8 ? 0377u : 0xFFFFu))
            break;
        value = value * base + static_cast<char32_t>(digit);
        ++m_pos;
    }
    return value;
}

}

PropertyListResult parseOldStylePropertyList(std::span<const std::uint8_t> bytes)
{
    auto text = decodeUnicodeText(bytes);
    if (!text)
        return { nullptr, "the text is neither UTF-8 nor UTF-16 with a byte-order mark" };
    Reader reader(*text);
    auto value = reader.readTopLevel();
    if (!value)
        return { nullptr, reader.error() };
    return { std::move(value), {} };
}
