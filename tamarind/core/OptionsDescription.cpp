#include <nlohmann/json.hpp>
#include <string>

#include "host/foundation/String.h"
#include "tamarind/core/Settings.h"

// The options as JSON for tools that show them: key, kind, default and the value in force, for
// each reading pass.

namespace {

nlohmann::json jsonValueOf(bool v)
{
    return v;
}
nlohmann::json jsonValueOf(long v)
{
    return v;
}
nlohmann::json jsonValueOf(double v)
{
    return v;
}
nlohmann::json jsonValueOf(int v)
{
    return v;
}
nlohmann::json jsonValueOf(rt::Object* v)
{
    return v ? nlohmann::json(toStdString(v)) : nlohmann::json(nullptr);
}

nlohmann::json defaultOf(const tamarind::OptionInfo& option)
{
    switch (option.kind) {
    case tamarind::OptionKind::Bool:
        return option.defaultValue != 0;
    case tamarind::OptionKind::String:
        return nullptr;
    case tamarind::OptionKind::Float:
        return option.defaultValue;
    default:
        return static_cast<long>(option.defaultValue);
    }
}

const char* kindOf(const tamarind::OptionInfo& option)
{
    switch (option.kind) {
    case tamarind::OptionKind::Bool:
        return "Bool";
    case tamarind::OptionKind::Integer:
        return "Integer";
    case tamarind::OptionKind::Float:
        return "Float";
    case tamarind::OptionKind::String:
        return "String";
    default:
        return "IntValue";
    }
}

nlohmann::json describe(const tamarind::OptionInfo& option, const nlohmann::json& value)
{
    return { { "key", std::string(option.key) }, { "kind", kindOf(option) }, { "default", defaultOf(option) },
        { "value", value } };
}

}

#define TAM_DESCRIBE(key)                                                                                              \
    list.push_back(describe(tamarind::optionInfo(tamarind::Option::key), jsonValueOf(settings.key)));

extern "C" const char* tamarindDescribeOptions()
{
    static std::string text;
    nlohmann::json result;
    {
        auto& settings = tamarind::firstPass;
        nlohmann::json list = nlohmann::json::array();
        TAM_FIRST_PASS_OPTIONS(TAM_DESCRIBE)
        result["firstPass"] = list;
    }
    {
        auto& settings = tamarind::secondPass;
        nlohmann::json list = nlohmann::json::array();
        TAM_SECOND_PASS_OPTIONS(TAM_DESCRIBE)
        result["secondPass"] = list;
    }
    text = result.dump(1, ' ', false, nlohmann::json::error_handler_t::replace);
    return text.c_str();
}
