#include "host/platform/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr mode_t kNewFileMode = 0644;

bool fail(std::string& error, const char* step)
{
    error = std::string(step) + ": " + std::strerror(errno);
    return false;
}

// write(2) may take fewer bytes than asked, or be interrupted by a signal; both go on.
bool writeAll(int fd, const uint8_t* data, size_t size)
{
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

mode_t modeOf(const fs::path& path)
{
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : kNewFileMode;
}

// The rename is only lasting once the folder that records it is on the disk too. The new
// contents are in place by now, so a folder that cannot be flushed is not a failed write.
void flushFolder(const fs::path& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Writes, flushes and closes the temporary file; false with errno set on the first failure.
bool fillTemporary(int fd, const std::vector<uint8_t>& bytes, mode_t mode, const char*& step)
{
    step = "write";
    if (!writeAll(fd, bytes.data(), bytes.size()))
        return false;
    step = "set permissions";
    if (::fchmod(fd, mode) != 0)
        return false;
    step = "flush";
    return ::fsync(fd) == 0;
}

}

bool writeFileAtomically(const fs::path& path, const std::vector<uint8_t>& bytes, std::string& error)
{
    fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    // A dot name keeps a half-written file out of folder listings while it exists.
    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(error, "create a temporary file");
    const char* step = nullptr;
    bool filled = fillTemporary(fd, bytes, modeOf(path), step);
    int savedErrno = errno;
    if (::close(fd) != 0 && filled) {
        filled = false;
        step = "close";
        savedErrno = errno;
    }
    if (filled && ::rename(pattern.c_str(), path.c_str()) == 0) {
        flushFolder(folder);
        return true;
    }
    if (filled) {
        step = "rename";
        savedErrno = errno;
    }
    ::unlink(pattern.c_str());
    errno = savedErrno;
    return fail(error, step);
}
