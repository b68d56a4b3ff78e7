#include "host/platform/JsonChecker.h"

#include <cmath>
#include <cstdint>
#include <sstream>

using nlohmann::json;

JsonChecker::JsonChecker(std::string& error, std::size_t maximumStringBytes)
    : m_error(error)
    , m_maximumStringBytes(maximumStringBytes)
{
}

bool JsonChecker::fail(const std::string& path, const std::string& expected)
{
    if (ok())
        m_error = (path.empty() ? "" : path + ": ") + "expected " + expected;
    return false;
}

std::string JsonChecker::member(const std::string& path, const char* key)
{
    return path.empty() ? key : path + "." + key;
}

std::string JsonChecker::element(const std::string& path, std::size_t index)
{
    return path + "[" + std::to_string(index) + "]";
}

std::string JsonChecker::number(double value)
{
    // Whole numbers in full, as a person writes a limit; others as the stream writes them.
    if (value == std::floor(value) && std::fabs(value) < 1e16)
        return std::to_string(static_cast<long long>(value));
    std::ostringstream text;
    text << value;
    return text.str();
}

const json* JsonChecker::find(const json& object, const char* key) const
{
    if (!ok())
        return nullptr;
    auto it = object.find(key);
    return it == object.end() || it->is_null() ? nullptr : &*it;
}

bool JsonChecker::string(const json& object, const std::string& path, const char* key, std::string& out)
{
    const json* value = find(object, key);
    if (!value)
        return ok();
    if (!value->is_string())
        return fail(member(path, key), "a string");
    const auto& text = value->get_ref<const std::string&>();
    if (text.size() > m_maximumStringBytes)
        return fail(member(path, key), "at most " + std::to_string(m_maximumStringBytes) + " bytes of text");
    out = text;
    return true;
}

bool JsonChecker::choice(const json& object, const std::string& path, const char* key, std::string& out,
    std::initializer_list<const char*> allowed)
{
    std::string value = out;
    if (!string(object, path, key, value))
        return false;
    std::string listed;
    for (const char* option : allowed) {
        if (value == option) {
            out = value;
            return true;
        }
        listed += (listed.empty() ? "\"" : " or \"") + std::string(option) + "\"";
    }
    return fail(member(path, key), listed);
}

bool JsonChecker::range(
    const json& object, const std::string& path, const char* key, double& out, double low, double high)
{
    const json* value = find(object, key);
    if (!value)
        return ok();
    double n = value->is_number() ? value->get<double>() : NAN;
    if (!(n >= low && n <= high))
        return fail(member(path, key), "a number from " + number(low) + " to " + number(high));
    out = n;
    return true;
}

bool JsonChecker::integer(const json& object, const std::string& path, const char* key, long& out, long low, long high)
{
    const json* value = find(object, key);
    if (!value)
        return ok();
    bool inRange = false;
    if (value->is_number_unsigned()) {
        auto n = value->get<std::uint64_t>();
        inRange = n <= static_cast<std::uint64_t>(high) && (low <= 0 || n >= static_cast<std::uint64_t>(low));
    } else if (value->is_number_integer()) {
        auto n = value->get<std::int64_t>();
        inRange = n >= low && n <= high;
    }
    if (!inRange)
        return fail(member(path, key), "a whole number from " + std::to_string(low) + " to " + std::to_string(high));
    out = value->get<long>();
    return true;
}

bool JsonChecker::boolean(const json& object, const std::string& path, const char* key, bool& out)
{
    const json* value = find(object, key);
    if (!value)
        return ok();
    if (!value->is_boolean())
        return fail(member(path, key), "true or false");
    out = value->get<bool>();
    return true;
}

const json* JsonChecker::object(const json& parent, const std::string& path, const char* key)
{
    const json* value = find(parent, key);
    if (value && !value->is_object()) {
        fail(member(path, key), "an object");
        return nullptr;
    }
    return value;
}

const json* JsonChecker::array(
    const json& parent, const std::string& path, const char* key, std::size_t maximum, const char* noun)
{
    const json* value = find(parent, key);
    if (!value)
        return nullptr;
    if (!value->is_array()) {
        fail(member(path, key), "an array");
        return nullptr;
    }
    if (value->size() > maximum) {
        fail(member(path, key), "at most " + std::to_string(maximum) + " " + noun);
        return nullptr;
    }
    return value;
}
