#pragma once

#include <filesystem>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

// The devices the editor offers: every folder of the devices folder that holds a readable
// device.json, and the folder given with --device. Requests name a device by its folder's name
// only; the path never comes from a request.
class DeviceCatalog {
public:
    struct Entry {
        std::string name; // the folder's name, which requests use
        std::string label; // what the picker shows: "default (iPhone, iOS 16.4)"
        std::filesystem::path folder;
    };

    // `extra` is a device folder named on the command line, or empty.
    DeviceCatalog(std::filesystem::path devicesFolder, std::filesystem::path extra);

    // Looks at the folders again, so that devices added while the server runs are offered.
    std::vector<Entry> list();
    std::optional<Entry> find(const std::string& name);
    // The device shown first: the one named on the command line, else "default".
    const std::string& initial() const { return m_initial; }

private:
    std::vector<Entry> scan() const;

    std::filesystem::path m_devicesFolder;
    std::filesystem::path m_extra;
    std::string m_initial;
    std::mutex m_mutex;
    std::vector<Entry> m_entries;
};

nlohmann::json deviceListJson(const std::vector<DeviceCatalog::Entry>&, const std::string& initial);
