#pragma once

#include <filesystem>
#include <string>

#include "CommandLine.h"

// One run's device: a temporary copy of the device folder (so the user's folder is never
// changed), its preferences domain as the options ask, the Settings app's classes and, unless
// --no-tweak, the Tamarind library loaded into the process.
class DeviceSession {
public:
    ~DeviceSession();
    // On failure returns false with one line in `error`.
    bool start(const CommandLine&, std::string& error);
    const std::filesystem::path& folder() const { return m_copy; }
    long interfaceStyle() const { return m_style; }

private:
    bool copyDevice(const std::filesystem::path& from, std::string& error);
    bool applyPreferences(const CommandLine&, std::string& error);
    bool loadLibrary(std::string& error);

    std::filesystem::path m_temporary;
    std::filesystem::path m_copy;
    long m_style { 1 };
};

std::filesystem::path defaultDeviceFolder();
