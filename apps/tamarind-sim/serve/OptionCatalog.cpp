#include "OptionCatalog.h"

#include <cctype>
#include <cstdlib>
#include <map>
#include <unistd.h>

#include "OptionGroups.h"
#include "OptionsReport.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const char* controlFor(const std::string& kind, const std::string& key)
{
    if (kind == "Bool")
        return "switch";
    if (kind == "Float")
        return optionRange(key) ? "slider" : "number";
    if (kind == "Integer" || kind == "IntValue")
        return "number";
    if (kind == "Color")
        return "colour";
    if (kind == "Image" || kind == "Data")
        return "picture";
    return "text";
}

// The first colour a fallback text names ("ffffff (account row), 000000 (rows)" gives ffffff),
// for the colour picker to start from.
std::string firstHexColour(const std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        size_t n = 0;
        while (i + n < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + n])))
            ++n;
        if (n == 6 || n == 8)
            return text.substr(i, 6);
        i += n;
    }
    return "000000";
}

json describe(const json& option)
{
    std::string key = option.value("key", ""), kind = option.value("kind", "");
    json d { { "key", key }, { "kind", kind }, { "kindName", kindName(kind) }, { "control", controlFor(kind, key) },
        { "default", option.contains("default") ? option["default"] : json(nullptr) },
        { "description", option.value("description", "") } };
    if (kind == "Color")
        d["pickerStart"] = firstHexColour(d["default"].is_string() ? d["default"].get<std::string>() : "");
    if (auto range = optionRange(key))
        d["range"] = { { "min", range->minimum }, { "max", range->maximum }, { "step", range->step } };
    return d;
}

}

json optionCatalogFrom(const json& report)
{
    std::map<std::string, json> byKey;
    std::vector<std::string> order;
    for (auto& section : optionSections()) {
        if (!report.contains(section.key))
            continue;
        for (auto& option : report[section.key]) {
            std::string key = option.value("key", "");
            if (!byKey.count(key))
                order.push_back(key);
            byKey[key] = describe(option);
        }
    }
    json groups = json::array();
    for (auto& group : optionGroups()) {
        json options = json::array();
        for (auto key : group.keys)
            if (auto found = byKey.find(std::string(key)); found != byKey.end()) {
                options.push_back(found->second);
                byKey.erase(found);
            }
        groups.push_back({ { "title", group.title }, { "options", options } });
    }
    // An option added to the table before it was given a group still gets its control.
    json others = json::array();
    for (auto& key : order)
        if (auto found = byKey.find(key); found != byKey.end())
            others.push_back(found->second);
    if (!others.empty())
        groups.push_back({ { "title", "Other options" }, { "options", others } });
    return { { "groups", groups } };
}

std::optional<json> readOptionCatalog(const fs::path& program, const fs::path& device, const RunLimits& limits,
    std::string& error)
{
    std::string pattern = (fs::temp_directory_path() / "tamarind-serve-options-XXXXXX").string();
    std::string folder = mkdtemp(pattern.data()) ? pattern : "";
    if (folder.empty()) {
        error = "cannot make a temporary folder";
        return std::nullopt;
    }
    auto outcome = runIsolated(program, { "tamarind-sim", "--device", device.string(), "options", "--json" },
        folder, limits, { { "TMPDIR", folder } });
    std::error_code ec;
    fs::remove_all(folder, ec);
    if (!outcome.succeeded()) {
        error = "cannot read the library's options: " + outcome.failure();
        return std::nullopt;
    }
    auto report = json::parse(outcome.out, nullptr, false);
    if (!report.is_object()) {
        error = "the library's description of its options is unreadable";
        return std::nullopt;
    }
    return optionCatalogFrom(report);
}
