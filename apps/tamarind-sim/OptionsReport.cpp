#include "OptionsReport.h"

#include <algorithm>
#include <dlfcn.h>

#include "host/foundation/Data.h"
#include "host/foundation/String.h"
#include "host/foundation/UserDefaults.h"
#include "host/uikit/UIColor.h"
#include "tamarind/core/OptionTable.h"
#include "tamarind/core/PreferencesDomain.h"

namespace {

std::string lowerHex(std::string text)
{
    if (!text.empty() && text.front() == '#')
        text.erase(0, 1);
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// A stored colour counts as changed unless it equals one of the fallbacks its uses pass.
bool colorDiffers(const std::string& stored, std::string_view fallbacks)
{
    if (!UIColor::parseHex(stored))
        return false;
    std::string wanted = lowerHex(stored);
    std::string all = lowerHex(std::string(fallbacks));
    size_t at = all.find(wanted);
    return at == std::string::npos || (at > 0 && std::isxdigit(static_cast<unsigned char>(all[at - 1])))
        || (at + wanted.size() < all.size() && std::isxdigit(static_cast<unsigned char>(all[at + wanted.size()])));
}

// The fallbacks a colour's uses pass, as the table shows them: one, or the account row's and
// the rows' when they differ.
std::string fallbacksOf(const tamarind::ColorInfo& color)
{
    if (!color.accountRowFallback)
        return color.fallback;
    return std::string(color.accountRowFallback) + " (account row), " + color.fallback + " (rows)";
}

nlohmann::json colorSection(NSUserDefaults* domain)
{
    nlohmann::json list = nlohmann::json::array();
    for (auto& color : tamarind::kColorOptions) {
        std::string key(color.key);
        std::string fallbacks = fallbacksOf(color);
        rt::Object* stored = domain->object(key);
        nlohmann::json value = isString(stored) ? nlohmann::json(toStdString(stored)) : nlohmann::json(nullptr);
        list.push_back({ { "key", key }, { "kind", "Color" }, { "default", fallbacks }, { "value", value },
            { "description", color.description },
            { "changed", isString(stored) && colorDiffers(toStdString(stored), fallbacks) } });
    }
    return list;
}

nlohmann::json pictureSection(NSUserDefaults* domain)
{
    nlohmann::json list = nlohmann::json::array();
    for (auto& picture : tamarind::kPictureOptions) {
        std::string key(picture.key);
        rt::Object* stored = domain->object(key);
        nlohmann::json value = nullptr;
        if (isString(stored))
            value = toStdString(stored);
        else if (isData(stored))
            value = "data of " + std::to_string(static_cast<NSData*>(stored)->length()) + " bytes";
        list.push_back({ { "key", key }, { "kind", picture.kind == tamarind::OptionKind::Image ? "Image" : "Data" },
            { "default", nullptr }, { "value", value }, { "description", picture.description },
            { "changed", !value.is_null() } });
    }
    return list;
}

}

const std::vector<OptionSection>& optionSections()
{
    static const std::vector<OptionSection> sections = {
        { "firstPass", "Read while the library loads, first pass (root list, account, bars, device information)" },
        { "secondPass", "Read while the library loads, second pass (cells, tables, switches, sliders)" },
        { "colors", "Colours, read when drawn (the default is the fallback each use passes)" },
        { "pictures", "Pictures, read when drawn (a device path or plist data)" },
    };
    return sections;
}

std::optional<nlohmann::json> optionsReport(std::string& error)
{
    using Describe = const char* (*)();
    auto describe = reinterpret_cast<Describe>(dlsym(RTLD_DEFAULT, "tamarindDescribeOptions"));
    if (!describe) {
        error = "the loaded library does not describe its options";
        return std::nullopt;
    }
    auto report = nlohmann::json::parse(describe(), nullptr, false);
    if (!report.is_object()) {
        error = "the library's description of its options is unreadable";
        return std::nullopt;
    }
    for (const char* pass : { "firstPass", "secondPass" }) {
        for (auto& option : report[pass]) {
            auto info = tamarind::findOption(option.value("key", ""));
            option["description"] = info ? std::string(info->description) : std::string();
            option["changed"] = option["value"] != option["default"];
        }
    }
    rt::AutoreleasePool pool;
    auto domain = NSUserDefaults::create(tamarind::kDomain);
    report["colors"] = colorSection(domain.get());
    report["pictures"] = pictureSection(domain.get());
    return report;
}

std::string kindName(const std::string& kind)
{
    if (kind == "Bool")
        return "boolean";
    if (kind == "Integer")
        return "integer";
    if (kind == "IntValue")
        return "integer (32-bit)";
    if (kind == "Float")
        return "float";
    if (kind == "String")
        return "text";
    if (kind == "Color")
        return "colour";
    if (kind == "Image")
        return "image";
    if (kind == "Data")
        return "picture";
    return kind;
}

std::string valueText(const nlohmann::json& value)
{
    if (value.is_null())
        return "-";
    if (value.is_string())
        return value.get<std::string>();
    return value.dump();
}

void printOptionsTable(const nlohmann::json& report, std::ostream& out)
{
    for (auto& section : optionSections()) {
        const nlohmann::json& options = report[section.key];
        size_t keyWidth = 6, kindWidth = 4, defaultWidth = 7, valueWidth = 8;
        for (auto& o : options) {
            keyWidth = std::max(keyWidth, o.value("key", "").size());
            kindWidth = std::max(kindWidth, kindName(o.value("kind", "")).size());
            defaultWidth = std::max(defaultWidth, valueText(o["default"]).size());
            valueWidth = std::max(valueWidth, valueText(o["value"]).size() + 1);
        }
        auto column = [&](const std::string& text, size_t width) {
            return text + std::string(width + 2 - std::min(width, text.size()), ' ');
        };
        out << section.heading << "\n"
            << "  " << column("OPTION", keyWidth) << column("KIND", kindWidth) << column("DEFAULT", defaultWidth)
            << column("IN FORCE", valueWidth) << "WHAT IT CHANGES\n";
        for (auto& o : options) {
            std::string value = (o.value("changed", false) ? "*" : "") + valueText(o["value"]);
            out << "  " << column(o.value("key", ""), keyWidth) << column(kindName(o.value("kind", "")), kindWidth)
                << column(valueText(o["default"]), defaultWidth) << column(value, valueWidth)
                << o.value("description", "") << "\n";
        }
        out << "\n";
    }
    out << "* the value in force differs from the default\n";
}
