#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/runtime/Runtime.h"

// NSFileManager's default manager, over device paths (host/platform/DeviceRoot.h). Paths that do
// not resolve inside the device behave as missing files.
class NSFileManager : public rt::Object {
public:
    static rt::Class* classObject();
    static NSFileManager* defaultManager();

    bool fileExists(const std::string& path, bool* isDirectory = nullptr) const;
    // Names in the directory, sorted; nothing (and an error) when it cannot be listed.
    std::optional<std::vector<std::string>> contentsOfDirectory(const std::string& path, std::string& error) const;
    // The bytes of a regular file; nothing for anything else, and for a file larger than
    // kMaximumFileBytes, which no file of a device needs to be and which a damaged or hostile
    // device could make as large as the disk allows.
    std::optional<std::vector<uint8_t>> contents(const std::string& path) const;
    static constexpr std::size_t kMaximumFileBytes = std::size_t(256) << 20;
    // Atomic, as writeAtomically.
    bool createFile(const std::string& path, const std::vector<uint8_t>& bytes) const;
    bool createDirectory(const std::string& path) const;
    // Writes the bytes to a temporary file of a unique name beside the target, flushes it to the
    // disk and renames it over the target, so a reader sees the old file or the whole new one.
    // Fails, leaving the old file, in a read-only or missing folder, on a full disk or past the
    // file size limit.
    bool writeAtomically(const std::string& path, const std::vector<uint8_t>& bytes) const;
    // The canonical device path with every symlink followed, or the path itself when it cannot resolve.
    std::string resolvingSymlinks(const std::string& path) const;
};
