#include "host/foundation/LibplistInput.h"

#include <cstring>
#include <optional>

namespace {

// The trailer: the last 32 bytes, big-endian fields after six unused bytes.
struct Trailer {
    unsigned offsetSize;
    std::uint64_t objectCount;
    std::uint64_t offsetTable;
};

std::uint64_t bigEndian(const std::uint8_t* bytes, unsigned size)
{
    std::uint64_t value = 0;
    for (unsigned i = 0; i < size; ++i)
        value = value << 8 | bytes[i];
    return value;
}

std::optional<Trailer> readTrailer(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() < 8 + 32 || std::memcmp(bytes.data(), "bplist00", 8) != 0)
        return std::nullopt;
    const std::uint8_t* trailer = bytes.data() + bytes.size() - 32;
    Trailer t { trailer[6], bigEndian(trailer + 8, 8), bigEndian(trailer + 24, 8) };
    std::uint64_t tableEnd = bytes.size() - 32;
    if (t.offsetSize < 1 || t.offsetSize > 8 || t.offsetTable > tableEnd
        || t.objectCount > (tableEnd - t.offsetTable) / t.offsetSize)
        return std::nullopt;
    return t;
}

// The character count of the UTF-16 string object at `at` and where its characters start.
bool stringExtent(const std::vector<std::uint8_t>& bytes, std::uint64_t at, std::uint64_t& count, std::uint64_t& start)
{
    std::uint64_t end = bytes.size() - 32;
    count = bytes[at] & 0x0F;
    start = at + 1;
    if (count == 0x0F) {
        // The count follows as an integer object: marker 0x1N, then 2^N bytes.
        if (start >= end || (bytes[start] & 0xF0) != 0x10 || (bytes[start] & 0x0F) > 3)
            return false;
        unsigned size = 1u << (bytes[start] & 0x0F);
        if (end - start - 1 < size)
            return false;
        count = bigEndian(&bytes[start + 1], size);
        start += 1 + size;
    }
    return start <= end && count <= (end - start) / 2;
}

}

const std::vector<std::uint8_t>* libplistInput(
    const std::vector<std::uint8_t>& bytes, std::vector<std::uint8_t>& storage)
{
    auto trailer = readTrailer(bytes);
    if (!trailer)
        return std::memchr(bytes.data(), 0, bytes.size()) ? nullptr : &bytes;
    const std::vector<std::uint8_t>* input = &bytes;
    for (std::uint64_t i = 0; i < trailer->objectCount; ++i) {
        std::uint64_t at = bigEndian(&bytes[trailer->offsetTable + i * trailer->offsetSize], trailer->offsetSize);
        std::uint64_t count = 0, start = 0;
        if (at < 8 || at >= bytes.size() - 32 || (bytes[at] & 0xF0) != 0x60 || !stringExtent(bytes, at, count, start))
            continue;
        for (std::uint64_t c = start; c < start + 2 * count; c += 2) {
            if (bytes[c] || bytes[c + 1])
                continue;
            if (input == &bytes)
                input = &(storage = bytes);
            storage[c] = 0xFF;
            storage[c + 1] = 0xFD;
        }
    }
    return input;
}
