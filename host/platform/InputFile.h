#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Files that come from outside the simulated device's own paths: a device's description, a
// property list or script named on the command line, a GIF to inspect. Each is read only when
// it is a regular file (symbolic links followed) of at most a stated size, so that a folder, a
// pipe or /dev/zero given by mistake is refused at once instead of read without end.

// On failure returns nothing and sets `error` to one line that starts with the path.
std::optional<std::vector<std::uint8_t>> readInputFile(
    const std::filesystem::path&, std::size_t maximumBytes, std::string& error);

// The same over a descriptor already open for reading, which it closes; `path` names the file in
// messages.
std::optional<std::vector<std::uint8_t>> readInputFile(
    int fd, const std::filesystem::path&, std::size_t maximumBytes, std::string& error);

// "64 MB", "512 KB" or "100 bytes", for limits stated in messages and usage texts.
std::string describeByteCount(std::size_t bytes);
