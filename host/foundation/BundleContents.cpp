#include "host/foundation/BundleContents.h"

#include <sys/stat.h>

#include "host/foundation/FileManager.h"
#include "host/platform/DeviceRoot.h"

namespace {

constexpr time_t kSettledSeconds = 1;

bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// A folder whose last change is this recent may change again without its time moving.
bool settled(const timespec& modified)
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec - modified.tv_sec > kSettledSeconds;
}

}

BundleContents::BundleContents(std::string bundleDevicePath)
    : m_path(std::move(bundleDevicePath))
{
}

bool BundleContents::stillCurrent(const Folder& folder) const
{
    struct stat info;
    // lstat: a folder replaced by a link is a change, and the listing is taken again through the
    // device's own resolution of links.
    return folder.trusted && lstat(folder.host.c_str(), &info) == 0 && S_ISDIR(info.st_mode)
        && info.st_ino == folder.inode && sameTime(info.st_mtim, folder.modified);
}

BundleContents::Folder BundleContents::list(const std::string& subfolder) const
{
    Folder folder;
    std::string devicePath = subfolder.empty() ? m_path : m_path + "/" + subfolder;
    auto resolved = resolveDevicePath(devicePath);
    struct stat before;
    if (!resolved || stat(resolved->host.c_str(), &before) != 0 || !S_ISDIR(before.st_mode) || !settled(before.st_mtim))
        return folder;
    std::string error;
    auto names = NSFileManager::defaultManager()->contentsOfDirectory(devicePath, error);
    struct stat after;
    // A folder that changed while it was read is not trusted until it is read again.
    if (!names || stat(resolved->host.c_str(), &after) != 0 || after.st_ino != before.st_ino
        || !sameTime(after.st_mtim, before.st_mtim))
        return folder;
    folder.trusted = true;
    folder.host = resolved->host.string();
    folder.inode = before.st_ino;
    folder.modified = before.st_mtim;
    folder.names.insert(names->begin(), names->end());
    return folder;
}

void BundleContents::refresh()
{
    if (!m_wanted)
        return;
    auto own = m_folders.find("");
    if (own != m_folders.end() && stillCurrent(own->second)) {
        for (auto it = std::next(m_folders.begin()); it != m_folders.end();)
            it = stillCurrent(it->second) ? std::next(it) : m_folders.erase(it);
        return;
    }
    m_folders.clear();
    m_folders.emplace("", list(""));
}

bool BundleContents::mayHold(const std::string& subfolder, const std::string& name)
{
    auto own = m_folders.find("");
    if (own == m_folders.end() || !own->second.trusted)
        return true;
    if (subfolder.empty())
        return own->second.names.count(name) > 0;
    if (!own->second.names.count(subfolder))
        return false;
    auto sub = m_folders.find(subfolder);
    if (sub == m_folders.end())
        sub = m_folders.emplace(subfolder, list(subfolder)).first;
    return !sub->second.trusted || sub->second.names.count(name) > 0;
}
