#include "host/platform/Network.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <net/if.h>
#include <netinet/in.h>
#include <nlohmann/json.hpp>
#include <type_traits>

#include "host/platform/Device.h"

namespace platform {

namespace {

// One list entry with the storage its pointers refer to, freed as one. It is standard-layout with
// the ifaddrs first, so a list pointer converts back to its entry.
struct Entry {
    struct ifaddrs ifa { };
    sockaddr_storage address {};
    char name[IF_NAMESIZE] {};
};
static_assert(std::is_standard_layout_v<Entry>);

const nlohmann::json* networkObject()
{
    if (!hasCurrentDevice() || !currentDevice().json)
        return nullptr;
    const auto& root = *currentDevice().json;
    auto it = root.find("network");
    return it != root.end() && it->is_object() ? &*it : nullptr;
}

bool fillAddress(Entry& entry, const std::string& family, const std::string& text)
{
    if (family == "ipv4") {
        auto* in = reinterpret_cast<sockaddr_in*>(&entry.address);
        in->sin_family = AF_INET;
        return inet_pton(AF_INET, text.c_str(), &in->sin_addr) == 1;
    }
    if (family == "ipv6") {
        auto* in6 = reinterpret_cast<sockaddr_in6*>(&entry.address);
        in6->sin6_family = AF_INET6;
        return inet_pton(AF_INET6, text.c_str(), &in6->sin6_addr) == 1;
    }
    return false;
}

Entry* makeEntry(const nlohmann::json& item)
{
    if (!item.is_object())
        return nullptr;
    auto name = item.value("name", std::string());
    auto family = item.value("family", std::string());
    auto address = item.value("address", std::string());
    auto* entry = new Entry;
    if (name.empty() || name.size() >= sizeof entry->name || !fillAddress(*entry, family, address)) {
        delete entry;
        return nullptr;
    }
    name.copy(entry->name, name.size());
    entry->ifa.ifa_name = entry->name;
    entry->ifa.ifa_addr = reinterpret_cast<sockaddr*>(&entry->address);
    return entry;
}

}

int getifaddrs(struct ifaddrs** list)
{
    const nlohmann::json* network = networkObject();
    auto it = network ? network->find("interfaces") : nlohmann::json::const_iterator();
    if (!list || !network || it == network->end() || !it->is_array()) {
        errno = ENXIO;
        return -1;
    }
    *list = nullptr;
    struct ifaddrs** tail = list;
    for (const auto& item : *it) {
        Entry* entry = makeEntry(item);
        if (!entry) {
            platform::freeifaddrs(*list);
            *list = nullptr;
            errno = EINVAL;
            return -1;
        }
        *tail = &entry->ifa;
        tail = &entry->ifa.ifa_next;
    }
    return 0;
}

void freeifaddrs(struct ifaddrs* list)
{
    while (list) {
        struct ifaddrs* next = list->ifa_next;
        // The ifaddrs is the first member of its entry.
        delete reinterpret_cast<Entry*>(list);
        list = next;
    }
}

bool scopedProxyInterfaces(std::vector<std::string>& names)
{
    const nlohmann::json* network = networkObject();
    auto it = network ? network->find("scopedProxies") : nlohmann::json::const_iterator();
    if (!network || it == network->end() || !it->is_array())
        return false;
    names.clear();
    for (const auto& name : *it)
        if (name.is_string())
            names.push_back(name.get<std::string>());
    return true;
}

}
