#include "PackageInstall.h"

#include <cstdlib>

#include "host/platform/DeviceRoot.h"

namespace fs = std::filesystem;

namespace {

// What is at a device path, looked at without following a final link: a dangling link is
// something the device carries as well.
FileKind kindAt(const ResolvedPath& path)
{
    if (path.kind != FileKind::unknown)
        return path.kind;
    std::error_code ec;
    auto status = fs::symlink_status(path.host, ec);
    if (ec || status.type() == fs::file_type::not_found)
        return FileKind::missing;
    if (fs::is_directory(status))
        return FileKind::directory;
    return fs::is_regular_file(status) ? FileKind::regular : FileKind::other;
}

// A bundle belongs to the package whole: a device with a bundle of the same name, whatever it
// holds, would mix two versions of it.
bool ownedWhole(const fs::path& entry)
{
    return entry.extension() == ".bundle";
}

bool refuse(const std::string& devicePath, std::string& error)
{
    error = "the device already carries " + devicePath
        + ", which Tamarind's package installs (remove it from the device folder)";
    return false;
}

// Makes the folder at a device path unless the device has it; resolved inside the device, so a
// link in the device cannot carry the package out of it.
bool placeFolder(const std::string& devicePath, bool owned, std::string& error)
{
    auto target = resolveDevicePath(devicePath);
    if (!target) {
        error = "cannot resolve " + devicePath + " inside the device";
        return false;
    }
    FileKind kind = kindAt(*target);
    if (kind == FileKind::directory && !owned)
        return true;
    if (kind != FileKind::missing)
        return refuse(devicePath, error);
    // A link of the device may name a folder that is not there yet; the folders on the way are
    // inside the device, since the resolution followed every link already.
    std::error_code ec;
    fs::create_directories(target->host, ec);
    if (ec)
        error = "cannot make " + devicePath + " in the device: " + ec.message();
    return !ec;
}

bool placeFile(const fs::path& from, const std::string& devicePath, std::string& error)
{
    auto target = resolveDevicePath(devicePath);
    if (!target) {
        error = "cannot resolve " + devicePath + " inside the device";
        return false;
    }
    if (kindAt(*target) != FileKind::missing)
        return refuse(devicePath, error);
    std::error_code ec;
    fs::copy_file(from, target->host, ec);
    if (ec)
        error = "cannot install " + devicePath + " in the device: " + ec.message();
    return !ec;
}

}

fs::path packageFolder()
{
    if (const char* env = std::getenv("TAMARIND_PACKAGE"))
        return env;
    return fs::path(TAM_SOURCE_DIR) / "package";
}

bool installPackage(const fs::path& package, std::string& error)
{
    std::error_code ec;
    // The walk visits a folder before what it holds, so every file's folder exists by its turn.
    for (fs::recursive_directory_iterator it(package, ec), end; !ec && it != end; it.increment(ec)) {
        std::string devicePath = "/" + it->path().lexically_relative(package).generic_string();
        auto status = it->symlink_status(ec);
        if (ec)
            break;
        if (fs::is_directory(status)) {
            if (!placeFolder(devicePath, ownedWhole(it->path()), error))
                return false;
        } else if (fs::is_regular_file(status)) {
            if (!placeFile(it->path(), devicePath, error))
                return false;
        }
    }
    if (ec)
        error = "cannot read the package folder " + package.string() + ": " + ec.message();
    return !ec;
}
