#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Every file path the library uses is a device path ("/var/jb/...", "/var/mobile/..."). They are
// resolved inside the simulated device's root folder the way a chroot resolves them: ".." stops at
// the root, and a symbolic link is followed inside the root (an absolute target starts again at
// the root), so no path, symlinks included, leads out of the device.

// What a resolution learnt of the file on its way, so a caller that only asks whether the file is
// there, or what it is, needs no second look. `unknown` when the resolution could not tell.
enum class FileKind { unknown, missing, regular, directory, other };

struct ResolvedPath {
    std::filesystem::path host; // where the file is on this machine
    std::string device; // the canonical device path, with every symlink followed
    FileKind kind = FileKind::unknown;
};

// Resolves a device path. Nothing when no device root is set, the path is relative, or symlinks
// loop (more than 40 links followed). The final component need not exist.
std::optional<ResolvedPath> resolveDevicePath(std::string_view devicePath);

// Opens the file at a device path with open(2)'s flags (O_CLOEXEC is added), resolving it as
// above; -1 with errno set when it cannot. A path without links is opened in one call.
int openDeviceFile(std::string_view devicePath, int flags);

void setDeviceRoot(std::filesystem::path);
const std::filesystem::path& deviceRoot();
