#include "tamarind/core/InstalledHooks.h"

#include <mutex>
#include <nlohmann/json.hpp>

namespace tamarind {

namespace {

struct Record {
    std::mutex lock;
    std::vector<InstalledHook> hooks;
};

// Never torn down: the record is read for as long as the process runs.
Record& record()
{
    static auto* r = new Record;
    return *r;
}

}

void recordInstalledHook(InstalledHook hook)
{
    std::lock_guard guard(record().lock);
    record().hooks.push_back(std::move(hook));
}

std::vector<InstalledHook> installedHooks()
{
    std::lock_guard guard(record().lock);
    return record().hooks;
}

}

extern "C" const char* tamarindInstalledHooks()
{
    static std::string text;
    nlohmann::json list = nlohmann::json::array();
    for (auto& hook : tamarind::installedHooks())
        list.push_back({ { "group", hook.group }, { "kind", hook.kind }, { "class", hook.className },
            { "selector", hook.selector } });
    text = list.dump();
    return text.c_str();
}
