#pragma once

#include <cstdint>
#include <string>

// Writes 32-bit ARGB pixels (premultiplied, native endian, as cairo keeps them) as an RGBA PNG
// file. Screenshots favour speed over size: zlib's fastest level with the Sub filter writes a
// full phone screen several times faster than the default settings, at a modest size cost.
bool writeARGBAsPNG(
    const std::string& path, const std::uint8_t* pixels, int width, int height, int stride, std::string& error);
