#include "host/platform/DeviceRoot.h"

#include <deque>
#include <system_error>
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

fs::path hostPathOf(const std::vector<std::string>& components)
{
    fs::path p = rootFolder();
    for (auto& c : components)
        p /= c;
    return p;
}

}

void setDeviceRoot(fs::path root)
{
    std::error_code ec;
    fs::path canonical = fs::canonical(root, ec);
    rootFolder() = ec ? root : canonical;
}

const fs::path& deviceRoot() { return rootFolder(); }

std::optional<ResolvedPath> resolveDevicePath(std::string_view devicePath)
{
    if (rootFolder().empty() || devicePath.empty() || devicePath[0] != '/')
        return std::nullopt;
    std::deque<std::string> pending = splitComponents(devicePath);
    std::vector<std::string> resolved;
    int linksFollowed = 0;
    while (!pending.empty()) {
        std::string part = std::move(pending.front());
        pending.pop_front();
        if (part == ".")
            continue;
        if (part == "..") {
            if (!resolved.empty())
                resolved.pop_back();
            continue;
        }
        resolved.push_back(part);
        fs::path host = hostPathOf(resolved);
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(host, ec)))
            continue;
        if (++linksFollowed > 40)
            return std::nullopt;
        std::string target = fs::read_symlink(host, ec).string();
        if (ec)
            return std::nullopt;
        resolved.pop_back();
        if (!target.empty() && target[0] == '/')
            resolved.clear();
        auto targetParts = splitComponents(target);
        pending.insert(pending.begin(), targetParts.begin(), targetParts.end());
    }
    ResolvedPath result { hostPathOf(resolved), "" };
    for (auto& c : resolved) {
        result.device += '/';
        result.device += c;
    }
    if (result.device.empty())
        result.device = "/";
    return result;
}
