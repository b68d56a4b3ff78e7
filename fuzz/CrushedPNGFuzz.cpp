// Feeds arbitrary PNG files to the host's image decoder, seeded with crushed ones; other formats
// are left to their own targets. A crushed file must decode to an image of the size its header
// gives, or to nothing with a reason; the standard PNG it is rewritten to must be one that libpng
// reads as far as the data allows.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/imageio/CGImage.h"
#include "host/imageio/CrushedPNG.h"
#include "host/imageio/ImageCodec.h"

namespace {

std::uint32_t readBigEndian(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static constexpr std::uint8_t kSignature[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    if (size < sizeof kSignature || std::memcmp(data, kSignature, sizeof kSignature) != 0)
        return 0;
    std::string error;
    auto image = decodeImage(data, size, error);
    if (!image == error.empty())
        std::abort();
    // A decoded crushed file has IHDR right after the CgBI chunk, whatever that chunk's length.
    if (image && isCrushedPNG({ data, size })) {
        std::size_t offset = 8 + 12 + std::size_t(readBigEndian(data + 8)) + 8;
        if (offset + 8 > size || image->width() != readBigEndian(data + offset)
            || image->height() != readBigEndian(data + offset + 4))
            std::abort();
    }
    return 0;
}
