#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Every file path the library uses is a device path ("/var/jb/...", "/var/mobile/..."). They are
// resolved inside the simulated device's root folder the way a chroot resolves them: ".." stops at
// the root, and a symbolic link is followed inside the root (an absolute target starts again at
// the root), so no path, symlinks included, leads out of the device.

struct ResolvedPath {
    std::filesystem::path host; // where the file is on this machine
    std::string device; // the canonical device path, with every symlink followed
};

// Resolves a device path. Nothing when no device root is set, the path is relative, or symlinks
// loop (more than 40 links followed). The final component need not exist.
std::optional<ResolvedPath> resolveDevicePath(std::string_view devicePath);

void setDeviceRoot(std::filesystem::path);
const std::filesystem::path& deviceRoot();
