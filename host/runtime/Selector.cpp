#include "host/runtime/Selector.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace rt {

namespace {

struct SelectorTable {
    std::mutex lock;
    std::unordered_map<std::string_view, std::unique_ptr<Selector>> selectors;
    std::vector<std::unique_ptr<char[]>> names;
};

SelectorTable& table()
{
    static auto* t = new SelectorTable;
    return *t;
}

}

SEL sel(std::string_view name)
{
    auto& t = table();
    std::lock_guard guard(t.lock);
    if (auto it = t.selectors.find(name); it != t.selectors.end())
        return it->second.get();
    auto copy = std::make_unique<char[]>(name.size() + 1);
    std::memcpy(copy.get(), name.data(), name.size());
    copy[name.size()] = 0;
    std::string_view key(copy.get(), name.size());
    auto selector = std::make_unique<Selector>(Selector { copy.get() });
    SEL result = selector.get();
    t.names.push_back(std::move(copy));
    t.selectors.emplace(key, std::move(selector));
    return result;
}

}
