// A mutator for the GIF targets that keeps the file's block structure. Byte-level mutation of a
// GIF mostly breaks the sub-block lengths, and the reader then stops at the first broken block,
// so the frames after it and the decoder behind it are rarely reached. This mutator splits the
// input into its header (signature, logical screen and global colour table) and its blocks, each
// an introducer with its fixed part followed by the data of its sub-blocks, changes one thing
// (a block's data or fixed part through libFuzzer's own mutator, a block copied, dropped or
// moved, a field of the screen) and writes the blocks again with every sub-block length
// recomputed and the trailer after them. A quarter of the time it mutates the raw bytes instead,
// so that broken structure is explored as well.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Block {
    // The introducer and the fixed part: an image's descriptor, local colour table and code
    // size, or an extension's label.
    Bytes head;
    // The sub-blocks' data with their length bytes taken out.
    Bytes data;
};

struct GifParts {
    Bytes header;
    std::vector<Block> blocks;
};

std::size_t colorTableBytes(std::uint8_t flags)
{
    return flags & 0x80 ? 3u << ((flags & 7) + 1) : 0;
}

// Takes the sub-blocks starting at `at`, up to their terminator or the end of the bytes.
std::size_t readSubBlocks(const std::uint8_t* bytes, std::size_t size, std::size_t at, Bytes& out)
{
    while (at < size) {
        std::size_t length = bytes[at++];
        if (!length)
            break;
        length = std::min(length, size - at);
        out.insert(out.end(), bytes + at, bytes + at + length);
        at += length;
    }
    return at;
}

bool split(const std::uint8_t* bytes, std::size_t size, GifParts& parts)
{
    if (size < 13 || std::memcmp(bytes, "GIF", 3) != 0)
        return false;
    std::size_t at = std::min(size, 13 + colorTableBytes(bytes[10]));
    parts.header.assign(bytes, bytes + at);
    while (at < size && parts.blocks.size() < 256) {
        Block block;
        std::size_t fixed = 0;
        if (bytes[at] == 0x2C && at + 10 <= size)
            fixed = std::min(size - at, 10 + colorTableBytes(bytes[at + 9]) + 1);
        else if (bytes[at] == 0x21)
            fixed = std::min<std::size_t>(size - at, 2);
        else
            break;
        block.head.assign(bytes + at, bytes + at + fixed);
        at = readSubBlocks(bytes, size, at + fixed, block.data);
        parts.blocks.push_back(std::move(block));
    }
    return true;
}

Bytes join(const GifParts& parts)
{
    Bytes out = parts.header;
    for (auto& block : parts.blocks) {
        out.insert(out.end(), block.head.begin(), block.head.end());
        for (std::size_t at = 0; at < block.data.size(); at += 255) {
            std::size_t length = std::min<std::size_t>(255, block.data.size() - at);
            out.push_back(static_cast<std::uint8_t>(length));
            out.insert(out.end(), block.data.begin() + at, block.data.begin() + at + length);
        }
        out.push_back(0);
    }
    out.push_back(0x3B);
    return out;
}

// libFuzzer's mutation of the bytes, growing them by at most `room`; `keepSize` holds the
// length, for fixed parts whose length the structure dictates.
void mutateBytes(Bytes& bytes, std::size_t room, bool keepSize)
{
    std::size_t size = bytes.size();
    bytes.resize(size + room + 1);
    std::size_t mutated = LLVMFuzzerMutate(bytes.data(), size, size + room);
    bytes.resize(keepSize ? size : mutated);
}

void mutate(GifParts& parts, std::minstd_rand& random, std::size_t maxSize)
{
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    std::size_t room = maxSize > 64 ? maxSize / 8 : 8;
    if (parts.blocks.empty()) {
        // A frame of one pixel with a graphic control before it, to grow from.
        parts.blocks.push_back({ { 0x21, 0xF9 }, { 0x00, 0x0A, 0x00, 0x00 } });
        parts.blocks.push_back({ { 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x00, 0x02 }, { 0x02, 0x44, 0x01 } });
        return;
    }
    Block& block = parts.blocks[pick(parts.blocks.size())];
    switch (pick(6)) {
    case 0:
        mutateBytes(block.data, room, false);
        break;
    case 1:
        mutateBytes(block.head, 0, true);
        break;
    case 2:
        parts.blocks.insert(parts.blocks.begin() + pick(parts.blocks.size() + 1), block);
        break;
    case 3:
        parts.blocks.erase(parts.blocks.begin() + (&block - parts.blocks.data()));
        break;
    case 4:
        std::swap(block, parts.blocks[pick(parts.blocks.size())]);
        break;
    default:
        mutateBytes(parts.header, 0, true);
        break;
    }
}

}

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
    unsigned int seed)
{
    std::minstd_rand random(seed);
    GifParts parts;
    if (random() % 4 == 0 || !split(data, size, parts))
        return LLVMFuzzerMutate(data, size, maxSize);
    mutate(parts, random, maxSize);
    Bytes out = join(parts);
    if (out.size() > maxSize)
        return LLVMFuzzerMutate(data, size, maxSize);
    std::memcpy(data, out.data(), out.size());
    return out.size();
}
