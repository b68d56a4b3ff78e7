#include "host/imageio/CrushedPNG.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <zlib.h>

namespace {

constexpr std::uint8_t kSignature[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
constexpr std::size_t kChunkOverhead = 12;

std::uint32_t readBigEndian(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

void appendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

struct Chunk {
    std::string_view type;
    std::span<const std::uint8_t> data;
    // The whole chunk as stored (length, type, data and CRC), for copying it unchanged.
    std::span<const std::uint8_t> stored;
};

// The chunks of a PNG after its signature, up to and including IEND; nothing when one runs past
// the end of the bytes or IEND is missing.
std::optional<std::vector<Chunk>> readChunks(std::span<const std::uint8_t> bytes)
{
    std::vector<Chunk> chunks;
    std::size_t offset = sizeof kSignature;
    while (bytes.size() - offset >= kChunkOverhead) {
        std::size_t length = readBigEndian(&bytes[offset]);
        if (length > bytes.size() - offset - kChunkOverhead)
            return std::nullopt;
        Chunk chunk { { reinterpret_cast<const char*>(&bytes[offset + 4]), 4 }, bytes.subspan(offset + 8, length),
            bytes.subspan(offset, length + kChunkOverhead) };
        chunks.push_back(chunk);
        offset += length + kChunkOverhead;
        if (chunk.type == "IEND")
            return chunks;
    }
    return std::nullopt;
}

struct Header {
    std::uint32_t width { 0 };
    std::uint32_t height { 0 };
    unsigned bytesPerPixel { 0 };
    bool interlaced { false };
};

std::optional<Header> readHeader(const Chunk& chunk, std::size_t maximumPixels, std::string& error)
{
    if (chunk.type != "IHDR" || chunk.data.size() != 13) {
        error = "IHDR does not follow CgBI";
        return std::nullopt;
    }
    const std::uint8_t* d = chunk.data.data();
    Header header { readBigEndian(d), readBigEndian(d + 4), 0, d[12] == 1 };
    // The platform's tools write 8-bit truecolour only, with alpha or without.
    if (d[8] != 8 || (d[9] != 2 && d[9] != 6) || d[12] > 1) {
        error = "unsupported pixel format";
        return std::nullopt;
    }
    header.bytesPerPixel = d[9] == 6 ? 4 : 3;
    if (!header.width || !header.height) {
        error = "empty image";
        return std::nullopt;
    }
    if (std::size_t(header.width) * header.height > maximumPixels) {
        error = "image too large";
        return std::nullopt;
    }
    return header;
}

// The length of the filtered rows that the image data inflates to: one filter byte per row, and
// with Adam7 interlacing the rows of each of the seven reduced images.
std::size_t filteredSize(const Header& h)
{
    auto rows = [&](std::size_t width, std::size_t height) {
        return width && height ? height * (1 + width * h.bytesPerPixel) : 0;
    };
    if (!h.interlaced)
        return rows(h.width, h.height);
    static constexpr int kPasses[7][4] = { { 0, 0, 8, 8 }, { 4, 0, 8, 8 }, { 0, 4, 4, 8 }, { 2, 0, 4, 4 },
        { 0, 2, 2, 4 }, { 1, 0, 2, 2 }, { 0, 1, 1, 2 } };
    std::size_t total = 0;
    for (auto [x0, y0, dx, dy] : kPasses) {
        std::size_t width = h.width > std::size_t(x0) ? (h.width - x0 + dx - 1) / dx : 0;
        std::size_t height = h.height > std::size_t(y0) ? (h.height - y0 + dy - 1) / dy : 0;
        total += rows(width, height);
    }
    return total;
}

// Inflates raw deflate data into exactly `expected` bytes. Data left over after that is ignored, as
// decoders ignore it in a standard PNG; data that ends short is an error. The buffer grows as data
// arrives, so a forged header alone cannot make it large.
std::optional<std::vector<std::uint8_t>> inflateRaw(
    std::span<const std::uint8_t> input, std::size_t expected, std::string& error)
{
    z_stream stream {};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) {
        error = "cannot start inflating";
        return std::nullopt;
    }
    std::vector<std::uint8_t> out(std::min<std::size_t>(expected, 1 << 16));
    stream.next_in = const_cast<Bytef*>(input.data());
    stream.avail_in = static_cast<uInt>(input.size());
    int status = Z_OK;
    while (status == Z_OK && stream.total_out < expected) {
        if (stream.total_out == out.size())
            out.resize(std::min(expected, out.size() * 2));
        stream.next_out = out.data() + stream.total_out;
        stream.avail_out = static_cast<uInt>(std::min<std::size_t>(out.size() - stream.total_out, 1u << 30));
        status = inflate(&stream, Z_NO_FLUSH);
    }
    std::size_t produced = stream.total_out;
    inflateEnd(&stream);
    if (produced < expected) {
        error = status == Z_DATA_ERROR ? "corrupt image data" : "image data ends early";
        return std::nullopt;
    }
    return out;
}

void appendChunk(std::vector<std::uint8_t>& out, const char* type, std::span<const std::uint8_t> data)
{
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::size_t typeOffset = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0, out.data() + typeOffset, static_cast<uInt>(out.size() - typeOffset));
    appendBigEndian(out, static_cast<std::uint32_t>(crc));
}

std::optional<std::vector<std::uint8_t>> compressZlib(const std::vector<std::uint8_t>& data)
{
    uLongf length = compressBound(static_cast<uLong>(data.size()));
    std::vector<std::uint8_t> out(length);
    if (compress2(out.data(), &length, data.data(), static_cast<uLong>(data.size()), Z_BEST_SPEED) != Z_OK)
        return std::nullopt;
    out.resize(length);
    return out;
}

}

bool isCrushedPNG(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= sizeof kSignature + 8 && std::memcmp(bytes.data(), kSignature, sizeof kSignature) == 0
        && std::memcmp(&bytes[sizeof kSignature + 4], "CgBI", 4) == 0;
}

std::optional<std::vector<std::uint8_t>> uncrushPNG(
    std::span<const std::uint8_t> bytes, std::size_t maximumPixels, std::string& error)
{
    auto chunks = isCrushedPNG(bytes) ? readChunks(bytes) : std::nullopt;
    if (!chunks || chunks->size() < 3) {
        error = "truncated or malformed chunks";
        return std::nullopt;
    }
    auto header = readHeader((*chunks)[1], maximumPixels, error);
    if (!header)
        return std::nullopt;
    std::vector<std::uint8_t> deflated;
    for (auto& chunk : *chunks)
        if (chunk.type == "IDAT")
            deflated.insert(deflated.end(), chunk.data.begin(), chunk.data.end());
    auto filtered = inflateRaw(deflated, filteredSize(*header), error);
    if (!filtered)
        return std::nullopt;
    auto compressed = compressZlib(*filtered);
    if (!compressed) {
        error = "cannot compress image data";
        return std::nullopt;
    }
    // Every chunk but CgBI is kept in place; the image data goes where the first IDAT stood.
    std::vector<std::uint8_t> out(std::begin(kSignature), std::end(kSignature));
    bool wroteData = false;
    for (auto& chunk : std::span(*chunks).subspan(1)) {
        if (chunk.type != "IDAT")
            out.insert(out.end(), chunk.stored.begin(), chunk.stored.end());
        else if (!std::exchange(wroteData, true))
            appendChunk(out, "IDAT", *compressed);
    }
    return out;
}

void restoreCrushedPixels(std::vector<std::uint8_t>& pixels)
{
    for (std::size_t i = 0; i + 3 < pixels.size(); i += 4) {
        std::swap(pixels[i], pixels[i + 2]);
        for (int k = 0; k < 3; ++k)
            pixels[i + k] = std::min(pixels[i + k], pixels[i + 3]);
    }
}
