#include "OptionCheck.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "SimSupport.h"
#include "host/foundation/Array.h"
#include "host/foundation/Data.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/Number.h"
#include "host/foundation/String.h"
#include "host/uikit/UIColor.h"
#include "tamarind/core/OptionTable.h"

using tamarind::OptionKind;

namespace {

// Edit distance, with a swap of two neighbours counting as one edit (the commonest typo).
size_t editDistance(const std::string& a, const std::string& b)
{
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({ d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost });
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string unknownKey(const std::string& key)
{
    auto close = closestKeys(key);
    std::string names;
    for (size_t i = 0; i < close.keys.size(); ++i)
        names += (i == 0 ? "" : i + 1 == close.keys.size() && close.likely ? " or " : ", ") + close.keys[i];
    if (close.likely)
        return "unknown option " + quoted(key) + " (did you mean " + names + "?)";
    return "unknown option " + quoted(key) + " (the closest are " + names + "; tamarind-sim options lists them all)";
}

std::optional<bool> parseBool(const std::string& text)
{
    std::string t = lowered(text);
    if (t == "true" || t == "yes" || t == "1")
        return true;
    if (t == "false" || t == "no" || t == "0")
        return false;
    return std::nullopt;
}

std::optional<long long> parseInteger(const std::string& text)
{
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0])))
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    long long value = std::strtoll(text.c_str(), &end, 10);
    if (*end || errno)
        return std::nullopt;
    return value;
}

std::optional<double> parseFloat(const std::string& text)
{
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0])))
        return std::nullopt;
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (*end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// What an option of the kind expects, as the end of an error line.
const char* expectation(OptionKind kind)
{
    switch (kind) {
    case OptionKind::Bool:
        return "a boolean: expected true or false";
    case OptionKind::Integer:
        return "an integer: expected a whole number such as 66";
    case OptionKind::IntValue:
        return "a 32-bit integer: expected a whole number from -2147483648 to 2147483647";
    case OptionKind::Float:
        return "a float: expected a number such as 0.5";
    case OptionKind::Color:
        return "a colour: expected six or eight hexadecimal digits, RRGGBB or RRGGBBAA";
    case OptionKind::String:
        return "text";
    case OptionKind::Image:
        return "an image: expected the device path of an image file";
    case OptionKind::Data:
        return "a picture: expected the device path of an image or GIF file";
    }
    return "";
}

// The typed value the text stands for, or nothing when it does not fit the kind.
rt::Ref<rt::Object> typedValue(OptionKind kind, const std::string& text)
{
    switch (kind) {
    case OptionKind::Bool:
        if (auto b = parseBool(text))
            return NSNumber::withBool(*b);
        return nullptr;
    case OptionKind::Integer:
        if (auto i = parseInteger(text))
            return NSNumber::withInteger(*i);
        return nullptr;
    case OptionKind::IntValue:
        if (auto i = parseInteger(text); i && *i >= INT_MIN && *i <= INT_MAX)
            return NSNumber::withInteger(*i);
        return nullptr;
    case OptionKind::Float:
        if (auto f = parseFloat(text))
            return NSNumber::withDouble(*f);
        return nullptr;
    case OptionKind::Color:
        if (!UIColor::parseHex(text))
            return nullptr;
        return NSString::create(text);
    case OptionKind::String:
    case OptionKind::Image:
    case OptionKind::Data:
        return NSString::create(text);
    }
    return nullptr;
}

const char* describeStored(rt::Object* value)
{
    if (isNumber(value))
        return static_cast<NSNumber*>(value)->kind() == NSNumber::Kind::Bool ? "a boolean" : "a number";
    if (isString(value))
        return "text";
    if (isData(value))
        return "data";
    if (isArray(value))
        return "an array";
    if (isDictionary(value))
        return "a dictionary";
    return "a value of another type";
}

// Whether a stored value fits the option's kind. Text is held to what --set accepts; numbers to
// their kind (an integer option takes a whole number, a boolean a boolean or 0/1).
bool storedValueFits(OptionKind kind, rt::Object* value)
{
    if (isString(value))
        return kind == OptionKind::String || typedValue(kind, toStdString(value));
    if (isData(value))
        return kind == OptionKind::Image || kind == OptionKind::Data;
    if (!isNumber(value))
        return false;
    auto* number = static_cast<NSNumber*>(value);
    double d = number->doubleValue();
    switch (kind) {
    case OptionKind::Bool:
        return number->kind() == NSNumber::Kind::Bool || d == 0 || d == 1;
    case OptionKind::Integer:
        return number->kind() != NSNumber::Kind::Real || d == std::floor(d);
    case OptionKind::IntValue:
        return number->kind() != NSNumber::Kind::Real && d >= INT_MIN && d <= INT_MAX;
    case OptionKind::Float:
        return true;
    default:
        return false;
    }
}

}

ClosestKeys closestKeys(const std::string& key)
{
    constexpr auto table = tamarind::optionTable();
    std::string typed = lowered(key);
    std::vector<std::pair<size_t, std::string>> ranked;
    for (auto& option : table) {
        std::string name(option.key);
        std::string candidate = lowered(name);
        size_t distance = editDistance(typed, candidate);
        bool close = distance <= std::max<size_t>(2, typed.size() / 4);
        // A fragment of a key ("banner") finds the keys that hold it.
        bool holds = typed.size() >= 4 && candidate.find(typed) != std::string::npos;
        size_t rank = close ? distance : holds ? 100 + candidate.size() : 1000 + distance;
        ranked.emplace_back(rank, name);
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](auto& a, auto& b) { return a.first < b.first; });
    ClosestKeys closest;
    closest.likely = !ranked.empty() && ranked.front().first < 1000;
    for (size_t i = 0; i < ranked.size() && closest.keys.size() < 3; ++i)
        if ((ranked[i].first < 1000) == closest.likely)
            closest.keys.push_back(ranked[i].second);
    return closest;
}

rt::Ref<rt::Object> valueForSetting(const std::string& key, const std::string& text, std::string& error)
{
    auto option = tamarind::findOption(key);
    if (!option) {
        error = unknownKey(key);
        return nullptr;
    }
    auto value = typedValue(option->kind, text);
    if (!value)
        error = key + " is " + expectation(option->kind) + ", not " + quoted(text);
    return value;
}

std::vector<std::string> preferenceWarnings(rt::Object* dictionary)
{
    std::vector<std::pair<std::string, std::string>> warnings;
    if (!isDictionary(dictionary))
        return {};
    for (auto& [keyObject, value] : static_cast<NSDictionary*>(dictionary)->entries()) {
        if (!isString(keyObject.get()))
            continue;
        std::string key = toStdString(keyObject.get());
        auto option = tamarind::findOption(key);
        if (!option)
            warnings.emplace_back(key, unknownKey(key));
        else if (!storedValueFits(option->kind, value.get()))
            warnings.emplace_back(key,
                key + " holds " + describeStored(value.get())
                    + (isString(value.get()) ? " " + quoted(toStdString(value.get())) : std::string()) + "; it is "
                    + expectation(option->kind));
    }
    // The file's order is lost in the dictionary; sorted by key, the lines read the same every run.
    std::sort(warnings.begin(), warnings.end());
    std::vector<std::string> lines;
    for (auto& w : warnings)
        lines.push_back(std::move(w.second));
    return lines;
}
