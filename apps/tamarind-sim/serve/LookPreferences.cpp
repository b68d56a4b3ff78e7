#include "LookPreferences.h"

#include <mutex>

#include "Base64.h"
#include "OptionCheck.h"
#include "host/foundation/Data.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/Number.h"
#include "host/foundation/String.h"
#include "tamarind/core/OptionTable.h"

using nlohmann::json;
using tamarind::OptionKind;

namespace {

std::mutex& hostLock()
{
    static std::mutex lock;
    return lock;
}

bool isPictureKind(OptionKind kind)
{
    return kind == OptionKind::Image || kind == OptionKind::Data;
}

// Pictures the banner and background can show: PNG, JPEG or GIF, told by their first bytes.
bool looksLikePicture(const std::vector<std::uint8_t>& bytes)
{
    auto startsWith = [&](std::initializer_list<std::uint8_t> signature) {
        return bytes.size() >= signature.size() && std::equal(signature.begin(), signature.end(), bytes.begin());
    };
    return startsWith({ 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' }) || startsWith({ 0xff, 0xd8, 0xff })
        || startsWith({ 'G', 'I', 'F', '8' });
}

rt::Ref<rt::Object> pictureValue(const std::string& key, const json& value, LookError& error)
{
    auto text = value.contains("data") && value["data"].is_string()
        ? decodeBase64(value["data"].get<std::string>())
        : std::nullopt;
    if (!text) {
        error = { key, key + " expects a picture as {\"data\": BASE64} or a device path" };
        return nullptr;
    }
    if (text->size() > kMaximumPictureBytes) {
        error = { key, key + " holds a picture larger than 16 MB" };
        return nullptr;
    }
    if (!looksLikePicture(*text)) {
        error = { key, key + " holds no PNG, JPEG or GIF picture" };
        return nullptr;
    }
    return NSData::create(std::move(*text));
}

// The text --set would be given for the JSON value, so the value gets --set's checks.
std::optional<std::string> settingText(const json& value)
{
    if (value.is_boolean())
        return value.get<bool>() ? "true" : "false";
    if (value.is_number())
        return value.dump();
    if (value.is_string())
        return value.get<std::string>();
    return std::nullopt;
}

rt::Ref<rt::Object> optionValue(const std::string& key, const json& value, LookError& error)
{
    std::string message;
    auto option = tamarind::findOption(key);
    if (!option) {
        valueForSetting(key, "", message);
        error = { key, message };
        return nullptr;
    }
    if (isPictureKind(option->kind) && value.is_object())
        return pictureValue(key, value, error);
    auto text = settingText(value);
    if (!text) {
        error = { key, key + " cannot hold a JSON " + std::string(value.type_name()) };
        return nullptr;
    }
    auto object = valueForSetting(key, *text, message);
    if (!object)
        error = { key, message };
    return object;
}

json jsonOf(rt::Object* value, OptionKind kind)
{
    if (isData(value)) {
        auto* data = static_cast<NSData*>(value);
        return { { "data", encodeBase64(std::vector<std::uint8_t>(data->bytes(), data->bytes() + data->length())) } };
    }
    if (isString(value))
        return toStdString(value);
    auto* number = static_cast<NSNumber*>(value);
    if (kind == OptionKind::Bool)
        return number->boolValue();
    if (number->kind() == NSNumber::Kind::Real && kind == OptionKind::Float)
        return number->doubleValue();
    return number->kind() == NSNumber::Kind::Real ? json(number->doubleValue()) : json(number->integerValue());
}

}

std::optional<std::vector<std::uint8_t>> lookPropertyList(const json& look, PropertyListFormat format, LookError& error)
{
    if (!look.is_object()) {
        error = { "", "the options must be a JSON object of option keys and values" };
        return std::nullopt;
    }
    std::lock_guard lock(hostLock());
    rt::AutoreleasePool pool;
    auto domain = NSDictionary::createMutable();
    for (auto& [key, value] : look.items()) {
        // A null value is an option put back to its default: the domain does not hold it.
        if (value.is_null())
            continue;
        auto object = optionValue(key, value, error);
        if (!object)
            return std::nullopt;
        domain->set(key, object.get());
    }
    auto bytes = serializePropertyList(domain.get(), format);
    if (!bytes)
        error = { "", "the options could not be written as a property list" };
    return bytes;
}

std::optional<ImportedLook> importLook(std::span<const std::uint8_t> file, std::string& error)
{
    std::lock_guard lock(hostLock());
    rt::AutoreleasePool pool;
    auto parsed = readPropertyList(file);
    if (!isDictionary(parsed.value.get())) {
        error = "the file is not a property list dictionary"
            + (parsed.error.empty() ? std::string() : " (" + parsed.error + ")");
        return std::nullopt;
    }
    ImportedLook look;
    for (auto& [keyObject, value] : static_cast<NSDictionary*>(parsed.value.get())->entries()) {
        if (!isString(keyObject.get()))
            continue;
        std::string key = toStdString(keyObject.get());
        // Asking about one key at a time puts each warning beside its option.
        auto single = NSDictionary::create({ { keyObject, value } });
        auto warnings = preferenceWarnings(single.get());
        auto option = tamarind::findOption(key);
        for (auto& message : warnings)
            look.warnings.push_back({ { "key", key }, { "message", message }, { "known", option.has_value() } });
        if (!option || !warnings.empty())
            continue;
        // Text that stands for a number or a switch ("1" in an old-style file) is shown by the
        // control of its kind, as the value --set would store for it.
        rt::Ref<rt::Object> typed = value;
        std::string ignored;
        if (isString(value.get()) && option->kind != OptionKind::String && !isPictureKind(option->kind))
            typed = valueForSetting(key, toStdString(value.get()), ignored);
        look.options[key] = jsonOf(typed.get(), option->kind);
    }
    std::sort(look.warnings.begin(), look.warnings.end(),
        [](const json& a, const json& b) { return a["key"].get<std::string>() < b["key"].get<std::string>(); });
    return look;
}
