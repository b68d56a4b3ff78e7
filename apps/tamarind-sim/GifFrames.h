#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Writes every image of a GIF as the image source composites it: the whole logical screen with
// the frame drawn over the earlier ones, as DIR/frame-000.png, frame-001.png, ... in straight
// (not premultiplied) alpha, so transparent pixels stay transparent in any viewer. A frame the
// source cannot decode is left out with a warning on standard error. Returns the files written,
// or nothing with one line in `error` when DIR cannot be made or a file cannot be written.
std::optional<std::vector<std::string>> writeGifFrames(
    const std::vector<std::uint8_t>& bytes, const std::filesystem::path& folder, std::string& error);
