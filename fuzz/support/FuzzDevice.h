#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

// A device folder in a temporary directory for a fuzz target, either empty or a copy of one of
// the project's devices, removed when the process exits. Targets write the input as one of
// its files and let the host read it as it reads any device.
class FuzzDevice {
public:
    // An empty device, or a copy of devices/NAME.
    explicit FuzzDevice(const std::string& copyOf = {});
    ~FuzzDevice();
    FuzzDevice(const FuzzDevice&) = delete;
    FuzzDevice& operator=(const FuzzDevice&) = delete;

    const std::filesystem::path& folder() const { return m_folder; }
    // Where a device path ("/var/...") is in the folder.
    std::filesystem::path file(const std::string& devicePath) const;
    // Writes the bytes as the device file, making its folders first.
    void write(const std::string& devicePath, const std::uint8_t* data, std::size_t size) const;
    void write(const std::string& devicePath, const std::string& text) const;
    // Copies a file or folder of the default device to the same device path here.
    void copyFromDefault(const std::string& devicePath) const;

private:
    std::filesystem::path m_temporary;
    std::filesystem::path m_folder;
};
