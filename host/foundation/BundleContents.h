#pragma once

#include <ctime>
#include <map>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <unordered_set>

// What a bundle's folders hold, so a search for a resource through the bundle's folder and its
// localisation folders asks the file system only where a file of that name is listed. An image
// looked up by name tries up to three scales in four folders; on a bundle that has none of them,
// each try would be a walk of the whole path by the kernel.
//
// Folders are listed once a search has missed (a search that finds its file at the first try, as
// most do, needs no listing), and listed again once they have changed (their
// modification time moved, or it was replaced). A folder changed within the last second is not
// trusted at all: a change in the same tick of the file system's clock as the listing would leave
// no trace in the modification time, so such a folder may hold anything.
class BundleContents {
public:
    explicit BundleContents(std::string bundleDevicePath);

    // Brings the listings up to date with the folders; one call before a series of questions.
    void refresh();
    // A search found nothing: the folders are worth listing from now on.
    void noteMiss() { m_wanted = true; }
    // False only when the folder ("" for the bundle's own, or a subfolder such as "en.lproj") is
    // known to hold no entry of that name.
    bool mayHold(const std::string& subfolder, const std::string& name);

private:
    struct Folder {
        bool trusted = false; // the names are the folder's as it stands
        std::string host;
        ino_t inode = 0;
        timespec modified {};
        std::unordered_set<std::string> names;
    };
    bool stillCurrent(const Folder&) const;
    Folder list(const std::string& subfolder) const;

    std::string m_path;
    bool m_wanted = false;
    std::map<std::string, Folder> m_folders;
};
