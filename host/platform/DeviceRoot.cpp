#include "host/platform/DeviceRoot.h"

#include <deque>
#include <fcntl.h>
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

// A path without links and without ".." is its own resolution, and the kernel can tell in one
// walk of the path: the path that a descriptor opened on it reads back is the path asked for
// only when no component was a link. Checking each component with lstat costs a walk of the
// path so far per component, which in a folder nested a thousand deep is felt.
std::optional<ResolvedPath> resolveWithoutLinks(const std::string& root, std::string_view devicePath)
{
    std::string device;
    for (auto& part : splitComponents(devicePath)) {
        if (part == "..")
            return std::nullopt;
        if (part != ".")
            device.append("/").append(part);
    }
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
