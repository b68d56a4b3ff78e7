#include "host/platform/InputFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor however the read ends.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {
    }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

std::string kindName(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a regular file";
}

}

std::string describeByteCount(std::size_t bytes)
{
    if (bytes >= (1u << 20) && bytes % (1u << 20) == 0)
        return std::to_string(bytes >> 20) + " MB";
    if (bytes >= (1u << 10) && bytes % (1u << 10) == 0)
        return std::to_string(bytes >> 10) + " KB";
    return std::to_string(bytes) + " bytes";
}

std::optional<std::vector<std::uint8_t>> readInputFile(
    const std::filesystem::path& path, std::size_t maximumBytes, std::string& error)
{
    // Opening without blocking keeps a pipe with no writer from stopping the open itself; the
    // descriptor is refused below before anything is read from it.
    return readInputFile(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK), path, maximumBytes, error);
}

std::optional<std::vector<std::uint8_t>> readInputFile(
    int fd, const std::filesystem::path& path, std::size_t maximumBytes, std::string& error)
{
    FileDescriptor file(fd);
    if (file.get() < 0) {
        error = "cannot read " + path.string() + ": " + std::strerror(errno);
        return std::nullopt;
    }
    struct stat info;
    if (fstat(file.get(), &info) != 0) {
        error = "cannot read " + path.string() + ": " + std::strerror(errno);
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        std::string kind = kindName(info.st_mode);
        error = path.string() + (kind.starts_with("a ") ? " is " + kind + ", not a file" : " is " + kind);
        return std::nullopt;
    }
    std::string tooLarge = path.string() + " is larger than " + describeByteCount(maximumBytes);
    if (static_cast<std::uintmax_t>(info.st_size) > maximumBytes) {
        error = tooLarge;
        return std::nullopt;
    }
    // The file may grow while it is read, so the limit is kept by the reading too: one byte
    // beyond it is enough to know.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t length = 0;
    for (;;) {
        if (length == bytes.size()) {
            if (length > maximumBytes) {
                error = tooLarge;
                return std::nullopt;
            }
            bytes.resize(std::min(maximumBytes, bytes.size() * 2 - 1) + 1);
        }
        ssize_t n = read(file.get(), bytes.data() + length, bytes.size() - length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = "cannot read " + path.string() + ": " + std::strerror(errno);
            return std::nullopt;
        }
        if (n == 0)
            break;
        length += static_cast<std::size_t>(n);
    }
    if (length > maximumBytes) {
        error = tooLarge;
        return std::nullopt;
    }
    bytes.resize(length);
    return bytes;
}
