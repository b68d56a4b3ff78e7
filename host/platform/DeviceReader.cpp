#include "host/platform/DeviceReader.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "host/platform/DeviceStateReader.h"
#include "host/platform/JsonChecker.h"

using nlohmann::json;
using namespace deviceLimits;

namespace {

using Checker = JsonChecker;

std::string member(const std::string& path, const char* key)
{
    return JsonChecker::member(path, key);
}

std::string element(const std::string& path, std::size_t index)
{
    return JsonChecker::element(path, index);
}

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

// A row's further properties ("min", "max", "showValue", ...): booleans, finite numbers and
// strings, a bounded number of them.
bool readRowProperties(Checker& check, const json& j, const std::string& path, DeviceRow& row)
{
    constexpr std::size_t kMaximumProperties = 64, kMaximumKeyBytes = 256;
    const json* properties = check.object(j, path, "properties");
    if (!properties)
        return check.ok();
    std::string where = member(path, "properties");
    if (properties->size() > kMaximumProperties)
        return check.fail(where, "at most " + std::to_string(kMaximumProperties) + " properties");
    for (auto& [key, value] : properties->items()) {
        if (key.size() > kMaximumKeyBytes)
            return check.fail(where, "property names of at most " + std::to_string(kMaximumKeyBytes) + " bytes");
        std::string at = member(where, key.c_str());
        if (value.is_boolean()) {
            row.properties.emplace_back(key, value.get<bool>());
        } else if (value.is_number() && std::isfinite(value.get<double>())) {
            row.properties.emplace_back(key, value.get<double>());
        } else if (value.is_string()) {
            std::string text;
            if (!check.string(*properties, where, key.c_str(), text))
                return false;
            row.properties.emplace_back(key, std::move(text));
        } else {
            return check.fail(at, "a boolean, a finite number or a string");
        }
    }
    return true;
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
    check.string(j, path, "cellClass", row.cellClass);
    if (!check.ok() || !readRowProperties(check, j, path, row))
        return false;
    if (row.id.empty() && row.name.empty() && row.cell != "PSGroupCell")
        return check.fail(path, "an \"id\" or a \"name\"");
    return true;
}

bool readRows(
    Checker& check, const json& parent, const std::string& path, const char* key, std::vector<DeviceRow>& rows)
{
    const json* list = check.array(parent, path, key, kMaximumRows, "rows");
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
    const json* list = check.array(parent, "", "insertions", kMaximumRows, "rows");
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

// The rows of Settings' own pages, by the page's class name.
bool readPages(Checker& check, const json& top, DeviceDescription& d)
{
    const json* pages = check.object(top, "", "pages");
    if (!pages)
        return check.ok();
    if (pages->size() > kMaximumEntries)
        return check.fail("pages", "at most " + std::to_string(kMaximumEntries) + " pages");
    for (auto& [page, rows] : pages->items()) {
        if (page.size() > kMaximumStringBytes)
            return check.fail("pages", "page names of at most " + std::to_string(kMaximumStringBytes) + " bytes");
        if (!readRows(check, *pages, "pages", page.c_str(), d.pages[page]))
            return false;
    }
    return true;
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
        return check.fail("screen",
            "at most " + Checker::number(kMaximumScreenPixels) + " pixels across and down (points times scale)");
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
    Checker check(error, kMaximumStringBytes);
    if (!top.is_object())
        return check.fail("", "an object");
    check.string(top, "", "name", d.name);
    check.string(top, "", "model", d.model);
    check.string(top, "", "systemVersion", d.systemVersion);
    if (check.ok() && !isVersion(d.systemVersion))
        return check.fail("systemVersion", "a version such as \"16.4\"");
    check.choice(top, "", "idiom", d.idiom, { "phone", "pad" });
    check.choice(top, "", "interfaceStyle", d.interfaceStyle, { "light", "dark" });
    check.string(top, "", "locale", d.locale);
    if (!readScreen(check, top, d) || !readRows(check, top, "", "rootList", d.rootList)
        || !readRows(check, top, "", "followups", d.followups) || !readOptionalRow(check, top, "wallpaper", d.wallpaper)
        || !readOptionalRow(check, top, "exposureNotification", d.exposure)
        || !readOptionalRow(check, top, "videoSubscriber", d.videoSubscriber) || !readApps(check, top, d)
        || !readInsertions(check, top, d.insertions) || !readRows(check, top, "", "about", d.aboutRows)
        || !readPages(check, top, d) || !readDeviceState(check, top, d))
        return false;
    std::size_t rows
        = d.rootList.size() + d.followups.size() + d.appRows.size() + d.insertions.size() + d.aboutRows.size() + 3;
    for (auto& [page, pageRows] : d.pages)
        rows += pageRows.size();
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
