#include <nlohmann/json.hpp>
#include <string>

#include "host/foundation/String.h"
#include "tamarind/core/Settings.h"

// The options as JSON for tools that show them: key, kind, default and the value in force, for
// each reading pass.

namespace {

nlohmann::json valueOf(bool v)
{
    return v;
}
nlohmann::json valueOf(long v)
{
    return v;
}
nlohmann::json valueOf(double v)
{
    return v;
}
nlohmann::json valueOf(int v)
{
    return v;
}
nlohmann::json valueOf(rt::Object* v)
{
    return v ? nlohmann::json(toStdString(v)) : nlohmann::json(nullptr);
}

nlohmann::json fallbackOf(const char* kind, double fallback)
{
    std::string k = kind;
    if (k == "Bool")
        return fallback != 0;
    if (k == "String")
        return nullptr;
    if (k == "Float")
        return fallback;
    return static_cast<long>(fallback);
}

}

#define TAM_DESCRIBE(kind, key, fallback)                                                                              \
    list.push_back({ { "key", #key }, { "kind", #kind }, { "default", fallbackOf(#kind, fallback) },                   \
        { "value", valueOf(settings.key) } });

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
