#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Writes PNGs in Apple's crushed form for tests: a CgBI chunk before IHDR, 8-bit BGR or
// premultiplied BGRA pixels, and image data as raw deflate without the zlib wrapper, split over
// several IDAT chunks as the platform's tools split it. The deflate data is made of stored blocks,
// which every inflater must read, so no compressor is needed here.

namespace crushed {

struct Options {
    bool alpha { true };
    bool interlaced { false };
    std::size_t dataChunkSize { 1024 };
};

inline std::uint32_t crc32(const std::uint8_t* bytes, std::size_t length)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

inline void appendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void appendChunk(std::vector<std::uint8_t>& out, const std::string& type, const std::vector<std::uint8_t>& data)
{
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    appendBigEndian(out, crc32(out.data() + start, out.size() - start));
}

// The rows of the image as a PNG filters them (filter byte 0 before each), pass by pass when
// interlaced with Adam7.
inline std::vector<std::uint8_t> filteredRows(
    std::uint32_t width, std::uint32_t height, const std::vector<std::uint8_t>& pixels, const Options& options)
{
    std::size_t bytesPerPixel = options.alpha ? 4 : 3;
    static constexpr std::array<std::array<std::uint32_t, 4>, 7> kAdam7 { { { 0, 0, 8, 8 }, { 4, 0, 8, 8 },
        { 0, 4, 4, 8 }, { 2, 0, 4, 4 }, { 0, 2, 2, 4 }, { 1, 0, 2, 2 }, { 0, 1, 1, 2 } } };
    std::vector<std::array<std::uint32_t, 4>> passes { { 0, 0, 1, 1 } };
    if (options.interlaced)
        passes.assign(kAdam7.begin(), kAdam7.end());
    std::vector<std::uint8_t> out;
    for (auto [x0, y0, dx, dy] : passes) {
        if (x0 >= width)
            continue;
        for (std::uint32_t y = y0; y < height; y += dy) {
            out.push_back(0);
            for (std::uint32_t x = x0; x < width; x += dx) {
                auto pixel = pixels.begin() + std::ptrdiff_t((std::size_t(y) * width + x) * bytesPerPixel);
                out.insert(out.end(), pixel, pixel + std::ptrdiff_t(bytesPerPixel));
            }
        }
    }
    return out;
}

// Raw deflate of stored blocks of at most 65535 bytes.
inline std::vector<std::uint8_t> storedDeflate(const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> out;
    std::size_t offset = 0;
    do {
        std::size_t length = std::min<std::size_t>(data.size() - offset, 65535);
        bool last = offset + length == data.size();
        out.push_back(last ? 1 : 0);
        out.insert(out.end(),
            { std::uint8_t(length), std::uint8_t(length >> 8), std::uint8_t(~length), std::uint8_t(~length >> 8) });
        out.insert(out.end(), data.begin() + std::ptrdiff_t(offset), data.begin() + std::ptrdiff_t(offset + length));
        offset += length;
    } while (offset < data.size());
    return out;
}

// `pixels`: rows from the top, each pixel B, G, R and (with alpha) A, the colours premultiplied.
inline std::vector<std::uint8_t> write(
    std::uint32_t width, std::uint32_t height, const std::vector<std::uint8_t>& pixels, Options options = {})
{
    std::vector<std::uint8_t> png { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    appendChunk(png, "CgBI", { 0x50, 0x00, 0x20, 0x06 });
    std::vector<std::uint8_t> header;
    appendBigEndian(header, width);
    appendBigEndian(header, height);
    header.insert(header.end(), { 8, std::uint8_t(options.alpha ? 6 : 2), 0, 0, std::uint8_t(options.interlaced) });
    appendChunk(png, "IHDR", header);
    appendChunk(png, "sRGB", { 0 });
    auto deflated = storedDeflate(filteredRows(width, height, pixels, options));
    for (std::size_t offset = 0; offset < deflated.size(); offset += options.dataChunkSize) {
        auto end = deflated.begin() + std::ptrdiff_t(std::min(deflated.size(), offset + options.dataChunkSize));
        appendChunk(png, "IDAT", { deflated.begin() + std::ptrdiff_t(offset), end });
    }
    appendChunk(png, "IEND", {});
    return png;
}

// An image of one colour, given as straight B, G, R and A, stored premultiplied.
inline std::vector<std::uint8_t> solid(std::uint32_t width, std::uint32_t height, std::array<std::uint8_t, 4> bgra)
{
    std::vector<std::uint8_t> pixels;
    for (std::size_t i = 0; i < std::size_t(width) * height; ++i)
        for (int k = 0; k < 4; ++k)
            pixels.push_back(k == 3 ? bgra[3] : std::uint8_t((bgra[k] * bgra[3] + 127) / 255));
    return pixels;
}

}
