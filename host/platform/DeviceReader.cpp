#include "host/platform/DeviceReader.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <sstream>

#include <nlohmann/json.hpp>

using nlohmann::json;
using namespace deviceLimits;

namespace {

std::string member(const std::string& path, const char* key)
{
    return path.empty() ? key : path + "." + key;
}

std::string element(const std::string& path, std::size_t index)
{
    return path + "[" + std::to_string(index) + "]";
}

std::string number(double value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

// Checks the members of one object, each named by its path from the top of the file. The first
// fault found is kept in `error` and every later check fails at once, so a caller can chain
// reads and test once at the end.
class Checker {
public:
    explicit Checker(std::string& error)
        : m_error(error)
    {
    }

    bool ok() const { return m_error.empty(); }

    bool fail(const std::string& path, const std::string& expected)
    {
        if (ok())
            m_error = (path.empty() ? "" : path + ": ") + "expected " + expected;
        return false;
    }

    // The member, when present and not null.
    const json* find(const json& object, const char* key)
    {
        auto it = object.find(key);
        return it == object.end() || it->is_null() ? nullptr : &*it;
    }

    bool string(const json& object, const std::string& path, const char* key, std::string& out)
    {
        const json* value = ok() ? find(object, key) : nullptr;
        if (!value)
            return ok();
        if (!value->is_string())
            return fail(member(path, key), "a string");
        const auto& text = value->get_ref<const std::string&>();
        if (text.size() > kMaximumStringBytes)
            return fail(member(path, key), "at most " + std::to_string(kMaximumStringBytes) + " bytes of text");
        out = text;
        return true;
    }

    bool choice(const json& object, const std::string& path, const char* key, std::string& out,
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

    bool range(const json& object, const std::string& path, const char* key, double& out, double low, double high)
    {
        const json* value = ok() ? find(object, key) : nullptr;
        if (!value)
            return ok();
        double n = value->is_number() ? value->get<double>() : NAN;
        if (!(n >= low && n <= high))
            return fail(member(path, key), "a number from " + number(low) + " to " + number(high));
        out = n;
        return true;
    }

    // An object member; nothing (and no fault) when absent.
    const json* object(const json& parent, const std::string& path, const char* key)
    {
        const json* value = ok() ? find(parent, key) : nullptr;
        if (value && !value->is_object()) {
            fail(member(path, key), "an object");
            return nullptr;
        }
        return value;
    }

    const json* array(const json& parent, const std::string& path, const char* key)
    {
        const json* value = ok() ? find(parent, key) : nullptr;
        if (!value)
            return nullptr;
        if (!value->is_array()) {
            fail(member(path, key), "an array");
            return nullptr;
        }
        if (value->size() > kMaximumRows) {
            fail(member(path, key), "at most " + std::to_string(kMaximumRows) + " rows");
            return nullptr;
        }
        return value;
    }

private:
    std::string& m_error;
};

bool isVersion(const std::string& text)
{
    // One to three numbers of at most three digits, separated by dots: "16", "16.4", "14.8.1".
    int components = 0, digits = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (++digits > 3)
                return false;
        } else if (c == '.' && digits) {
            ++components;
            digits = 0;
        } else {
            return false;
        }
    }
    return digits && components < 3;
}

bool readRow(Checker& check, const json& j, const std::string& path, DeviceRow& row)
{
    if (!j.is_object())
        return check.fail(path, "an object");
    row.cell = "PSLinkCell";
    check.string(j, path, "id", row.id);
    row.name = row.id;
    check.string(j, path, "name", row.name);
    check.string(j, path, "cell", row.cell);
    check.string(j, path, "value", row.value);
    check.string(j, path, "iconCache", row.iconCache);
    check.string(j, path, "detail", row.detail);
    check.string(j, path, "bundleID", row.bundleID);
    if (!check.ok())
        return false;
    if (row.id.empty() && row.name.empty() && row.cell != "PSGroupCell")
        return check.fail(path, "an \"id\" or a \"name\"");
    return true;
}

bool readRows(
    Checker& check, const json& parent, const std::string& path, const char* key, std::vector<DeviceRow>& rows)
{
    const json* list = check.array(parent, path, key);
    for (std::size_t i = 0; list && i < list->size(); ++i) {
        DeviceRow row;
        if (!readRow(check, (*list)[i], element(member(path, key), i), row))
            return false;
        rows.push_back(std::move(row));
    }
    return check.ok();
}

bool readOptionalRow(Checker& check, const json& parent, const char* key, std::optional<DeviceRow>& out)
{
    const json* value = check.ok() ? check.find(parent, key) : nullptr;
    if (!value)
        return check.ok();
    DeviceRow row;
    if (!readRow(check, *value, key, row))
        return false;
    out = std::move(row);
    return true;
}

bool readInsertions(Checker& check, const json& parent, std::vector<DeviceInsertion>& insertions)
{
    const json* list = check.array(parent, "", "insertions");
    for (std::size_t i = 0; list && i < list->size(); ++i) {
        std::string path = element("insertions", i);
        DeviceInsertion insertion;
        if (!readRow(check, (*list)[i], path, insertion.row)
            || !check.string((*list)[i], path, "after", insertion.after)
            || !check.range((*list)[i], path, "delay", insertion.delay, 0, kMaximumDelay))
            return false;
        insertions.push_back(std::move(insertion));
    }
    return check.ok();
}

bool readScreen(Checker& check, const json& top, DeviceDescription& d)
{
    const json* screen = check.object(top, "", "screen");
    if (!screen)
        return check.ok();
    check.range(*screen, "screen", "width", d.screenWidth, kMinimumScreenPoints, kMaximumScreenPoints);
    check.range(*screen, "screen", "height", d.screenHeight, kMinimumScreenPoints, kMaximumScreenPoints);
    check.range(*screen, "screen", "scale", d.screenScale, kMinimumScale, kMaximumScale);
    if (check.ok() && std::max(d.screenWidth, d.screenHeight) * d.screenScale > kMaximumScreenPixels)
        return check.fail(
            "screen", "at most " + number(kMaximumScreenPixels) + " pixels across and down (points times scale)");
    return check.ok();
}

bool readApps(Checker& check, const json& top, DeviceDescription& d)
{
    const json* apps = check.object(top, "", "apps");
    if (!apps)
        return check.ok();
    return readRows(check, *apps, "apps", "rows", d.appRows)
        && check.range(*apps, "apps", "delay", d.appRowsDelay, 0, kMaximumDelay);
}

}

bool readDeviceDescription(const json& top, DeviceDescription& d, std::string& error)
{
    error.clear();
    Checker check(error);
    if (!top.is_object())
        return check.fail("", "an object");
    check.string(top, "", "name", d.name);
    check.string(top, "", "model", d.model);
    check.string(top, "", "systemVersion", d.systemVersion);
    if (check.ok() && !isVersion(d.systemVersion))
        return check.fail("systemVersion", "a version such as \"16.4\"");
    check.choice(top, "", "idiom", d.idiom, { "phone", "pad" });
    check.choice(top, "", "interfaceStyle", d.interfaceStyle, { "light", "dark" });
    if (!readScreen(check, top, d) || !readRows(check, top, "", "rootList", d.rootList)
        || !readRows(check, top, "", "followups", d.followups) || !readOptionalRow(check, top, "wallpaper", d.wallpaper)
        || !readOptionalRow(check, top, "exposureNotification", d.exposure)
        || !readOptionalRow(check, top, "videoSubscriber", d.videoSubscriber) || !readApps(check, top, d)
        || !readInsertions(check, top, d.insertions))
        return false;
    std::size_t rows = d.rootList.size() + d.followups.size() + d.appRows.size() + d.insertions.size() + 3;
    if (rows > kMaximumRows)
        return check.fail("", "at most " + std::to_string(kMaximumRows) + " rows in all the lists together");
    return true;
}

int jsonNestingDepth(std::string_view text)
{
    int depth = 0, deepest = 0;
    bool inString = false, escaped = false;
    for (char c : text) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return deepest;
}
