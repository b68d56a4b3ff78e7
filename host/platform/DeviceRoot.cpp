#include "host/platform/DeviceRoot.h"

#include <atomic>
#include <cerrno>
#include <deque>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path& rootFolder()
{
    static auto* root = new fs::path;
    return *root;
}

// Set once the kernel (or a sandbox in front of it) turns openat2 down.
std::atomic<bool> openat2Refused { false };

FileKind kindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return FileKind::regular;
    if (S_ISDIR(mode))
        return FileKind::directory;
    return FileKind::other;
}

std::deque<std::string> splitComponents(std::string_view path)
{
    std::deque<std::string> parts;
    size_t i = 0;
    while (i < path.size()) {
        size_t j = path.find('/', i);
        if (j == std::string_view::npos)
            j = path.size();
        if (j > i)
            parts.emplace_back(path.substr(i, j - i));
        i = j + 1;
    }
    return parts;
}

// A path without links and without ".." is its own resolution. Without openat2 the kernel can
// still tell in one walk of the path: the path that a descriptor opened on it reads back is the
// path asked for only when no component was a link. Checking each component with lstat costs a
// walk of the path so far per component, which in a folder nested a thousand deep is felt.
std::optional<ResolvedPath> resolveByReadingBack(const std::string& root, const std::string& device)
{
    std::string host = root + device;
    int fd = open(host.c_str(), O_PATH | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string opened(host.size() + 1, '\0');
    ssize_t length = readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), opened.data(), opened.size());
    close(fd);
    if (length < 0 || static_cast<size_t>(length) != host.size() || opened.compare(0, host.size(), host) != 0)
        return std::nullopt;
    return ResolvedPath { fs::path(host), device.empty() ? "/" : device };
}

// The device path with "." components dropped, or nothing when it climbs with "..", which only
// the walk component by component settles.
std::optional<std::string> plainDevicePath(std::string_view devicePath)
{
    std::string device;
    for (auto& part : splitComponents(devicePath)) {
        if (part == "..")
            return std::nullopt;
        if (part != ".")
            device.append("/").append(part);
    }
    return device;
}

// A walk by the kernel that refuses every symbolic link: a descriptor, or -1 with errno. A
// refusal of the call itself (an old kernel, a sandbox) is remembered and reads as ENOSYS. The
// root folder was made canonical when it was set, so the refusal of links along the whole host
// path only ever concerns the device's own components.
long openWithoutLinks(const std::string& host, int flags)
{
    if (openat2Refused.load(std::memory_order_relaxed)) {
        errno = ENOSYS;
        return -1;
    }
    open_how how {};
    how.flags = static_cast<uint64_t>(flags | O_CLOEXEC);
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    long fd = syscall(SYS_openat2, AT_FDCWD, host.c_str(), &how, sizeof how);
    if (fd < 0 && (errno == ENOSYS || errno == EPERM || errno == EINVAL || errno == E2BIG)) {
        openat2Refused.store(true, std::memory_order_relaxed);
        errno = ENOSYS;
    }
    return fd;
}

// Such a walk settles most paths in one call: it opens the file, or stops with ENOENT at a
// missing component that no link led to, and in both cases the path is its own resolution, with
// the file's kind learnt on the way. A lookup that misses, as a search through a bundle's folders
// mostly does, costs that one call. Anything else (a link, a file where a folder should be, no
// permission) is left to the walk component by component.
std::optional<ResolvedPath> resolveWithoutLinks(const std::string& root, std::string_view devicePath)
{
    auto device = plainDevicePath(devicePath);
    if (!device)
        return std::nullopt;
    std::string host = root + *device;
    long fd = openWithoutLinks(host, O_PATH);
    ResolvedPath resolved { fs::path(host), device->empty() ? "/" : *device };
    if (fd >= 0) {
        struct stat info;
        resolved.kind = fstat(static_cast<int>(fd), &info) == 0 ? kindOf(info.st_mode) : FileKind::unknown;
        close(static_cast<int>(fd));
        return resolved;
    }
    if (errno == ENOENT) {
        resolved.kind = FileKind::missing;
        return resolved;
    }
    if (errno == ENOSYS)
        return resolveByReadingBack(root, *device);
    return std::nullopt;
}

}

int openDeviceFile(std::string_view devicePath, int flags)
{
    if (rootFolder().empty() || devicePath.empty() || devicePath[0] != '/') {
        errno = ENOENT;
        return -1;
    }
    if (auto device = plainDevicePath(devicePath)) {
        long fd = openWithoutLinks(rootFolder().native() + *device, flags);
        // A missing file is as missing by any other way of looking; a link, or a refusal of the
        // call itself, takes the longer way.
        if (fd >= 0 || errno == ENOENT)
            return static_cast<int>(fd);
    }
    auto resolved = resolveDevicePath(devicePath);
    if (!resolved) {
        errno = ENOENT;
        return -1;
    }
    return open(resolved->host.c_str(), flags | O_CLOEXEC);
}

void setDeviceRoot(fs::path root)
{
    std::error_code ec;
    fs::path canonical = fs::canonical(root, ec);
    rootFolder() = ec ? root : canonical;

}

const fs::path& deviceRoot()
{
    return rootFolder();
}

std::optional<ResolvedPath> resolveDevicePath(std::string_view devicePath)
{
    if (rootFolder().empty() || devicePath.empty() || devicePath[0] != '/')
        return std::nullopt;
    const std::string& root = rootFolder().native();
    if (auto direct = resolveWithoutLinks(root, devicePath))
        return direct;
    std::deque<std::string> pending = splitComponents(devicePath);
    // The resolved device path so far, and where each of its components starts, so ".." can
    // drop the last one.
    std::string device;
    std::vector<size_t> starts;
    std::string host;
    int linksFollowed = 0;
    while (!pending.empty()) {
        std::string part = std::move(pending.front());
        pending.pop_front();
        if (part == ".")
            continue;
        if (part == "..") {
            if (!starts.empty()) {
                device.resize(starts.back());
                starts.pop_back();
            }
            continue;
        }
        starts.push_back(device.size());
        device += '/';
        device += part;
        host.assign(root).append(device);
        struct stat info;
        if (lstat(host.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            continue;
        if (++linksFollowed > 40)
            return std::nullopt;
        std::string target(static_cast<size_t>(info.st_size > 0 ? info.st_size : 4096), '\0');
        ssize_t length = readlink(host.c_str(), target.data(), target.size());
        if (length < 0)
            return std::nullopt;
        target.resize(static_cast<size_t>(length));
        device.resize(starts.back());
        starts.pop_back();
        if (!target.empty() && target[0] == '/') {
            device.clear();
            starts.clear();
        }
        auto targetParts = splitComponents(target);
        pending.insert(pending.begin(), targetParts.begin(), targetParts.end());
    }
    ResolvedPath result { fs::path(root + device), device.empty() ? "/" : device };
    return result;
}
