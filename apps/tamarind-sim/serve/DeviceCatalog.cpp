#include "DeviceCatalog.h"

#include <algorithm>

#include "host/platform/Device.h"

namespace fs = std::filesystem;

namespace {

std::optional<DeviceCatalog::Entry> entryFor(const fs::path& folder, const std::string& name)
{
    std::error_code ec;
    if (!fs::is_regular_file(folder / "device.json", ec))
        return std::nullopt;
    std::string error;
    auto device = loadDevice(folder, error);
    if (!device)
        return std::nullopt;
    std::string kind = device->idiom == "pad" ? "iPadOS " : "iOS ";
    return DeviceCatalog::Entry { name, name + " (" + device->name + ", " + kind + device->systemVersion + ")", folder };
}

}

DeviceCatalog::DeviceCatalog(fs::path devicesFolder, fs::path extra)
    : m_devicesFolder(std::move(devicesFolder))
    , m_extra(std::move(extra))
{
    m_initial = m_extra.empty() ? "default" : m_extra.filename().string();
    if (m_initial.empty())
        m_initial = m_extra.parent_path().filename().string();
    m_entries = scan();
    for (auto& e : m_entries) {
        std::error_code ec;
        if (!m_extra.empty() && fs::equivalent(e.folder, m_extra, ec))
            m_initial = e.name;
    }
}

std::vector<DeviceCatalog::Entry> DeviceCatalog::scan() const
{
    std::vector<Entry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(m_devicesFolder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_directory(ec))
            continue;
        if (auto entry = entryFor(it->path(), it->path().filename().string()))
            entries.push_back(*entry);
    }
    std::sort(entries.begin(), entries.end(), [](auto& a, auto& b) {
        // The embedded default comes first, the others by name.
        return (a.name != "default") < (b.name != "default") || ((a.name != "default") == (b.name != "default") && a.name < b.name);
    });
    if (!m_extra.empty()) {
        auto same = std::find_if(entries.begin(), entries.end(), [&](auto& e) {
            std::error_code equivalentError;
            return fs::equivalent(e.folder, m_extra, equivalentError);
        });
        if (same == entries.end()) {
            // A folder of the user's own that shares a shipped device's name is told apart.
            std::string name = m_initial;
            if (std::any_of(entries.begin(), entries.end(), [&](auto& e) { return e.name == name; }))
                name += " (given)";
            if (auto entry = entryFor(m_extra, name))
                entries.insert(entries.begin(), *entry);
        }
    }
    return entries;
}

std::vector<DeviceCatalog::Entry> DeviceCatalog::list()
{
    auto entries = scan();
    std::lock_guard lock(m_mutex);
    m_entries = entries;
    return entries;
}

std::optional<DeviceCatalog::Entry> DeviceCatalog::find(const std::string& name)
{
    {
        std::lock_guard lock(m_mutex);
        for (auto& e : m_entries)
            if (e.name == name)
                return e;
    }
    for (auto& e : list())
        if (e.name == name)
            return e;
    return std::nullopt;
}

nlohmann::json deviceListJson(const std::vector<DeviceCatalog::Entry>& entries, const std::string& initial)
{
    nlohmann::json list = nlohmann::json::array();
    for (auto& e : entries)
        list.push_back({ { "name", e.name }, { "label", e.label } });
    return { { "devices", list }, { "initial", initial } };
}
