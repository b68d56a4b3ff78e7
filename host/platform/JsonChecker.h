#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>

#include <nlohmann/json.hpp>

// Reads the members of JSON objects that came from outside, each checked for its kind and range
// and named by its path from the top of the document ("rootList[3].cell"). The first fault found
// is kept as one line, "PATH: expected WHAT", and every later check fails at once, so that a
// reader can chain its reads and test once at the end. An absent or null member leaves the value
// it would be read into as it was.
class JsonChecker {
public:
    explicit JsonChecker(std::string& error, std::size_t maximumStringBytes);

    bool ok() const { return m_error.empty(); }
    bool fail(const std::string& path, const std::string& expected);

    static std::string member(const std::string& path, const char* key);
    static std::string element(const std::string& path, std::size_t index);

    // The member, when present and not null (and no fault was found before).
    const nlohmann::json* find(const nlohmann::json& object, const char* key) const;

    bool string(const nlohmann::json& object, const std::string& path, const char* key, std::string& out);
    bool choice(const nlohmann::json& object, const std::string& path, const char* key, std::string& out,
        std::initializer_list<const char*> allowed);
    bool range(
        const nlohmann::json& object, const std::string& path, const char* key, double& out, double low, double high);
    bool integer(
        const nlohmann::json& object, const std::string& path, const char* key, long& out, long low, long high);
    bool boolean(const nlohmann::json& object, const std::string& path, const char* key, bool& out);
    // An object member; nothing when it is absent or of another kind (a fault then).
    const nlohmann::json* object(const nlohmann::json& parent, const std::string& path, const char* key);
    // An array of at most `maximum` elements, which the fault calls `noun`.
    const nlohmann::json* array(
        const nlohmann::json& parent, const std::string& path, const char* key, std::size_t maximum, const char* noun);

    // "16", "0.5", "4096": numbers as the messages state them.
    static std::string number(double);

private:
    std::string& m_error;
    std::size_t m_maximumStringBytes;
};
