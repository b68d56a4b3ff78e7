// Feeds arbitrary bytes to the GIF container reader and then to the frame decoder, frame by frame,
// without the compositor: the reader must keep every frame's pieces inside the file, and the
// decoder must give each row of a frame at most once, inside the frame, and stop.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "host/imageio/GifContainer.h"
#include "host/imageio/GifFrameDecoder.h"

namespace {

void checkFrame(const GifFrame& frame, std::size_t size, std::size_t headerEnd)
{
    if (frame.descriptorOffset < headerEnd || frame.dataOffset <= frame.descriptorOffset || frame.dataEnd > size
        || frame.dataOffset > frame.dataEnd)
        std::abort();
    if (frame.colorTableEntries && frame.colorTableOffset + 3 * std::size_t(frame.colorTableEntries) > size)
        std::abort();
}

void decode(std::span<const std::uint8_t> file, const GifContainer& container, const GifFrame& frame)
{
    GifFrameDecoder decoder(file, container, frame);
    std::vector<bool> seen(frame.rect.height);
    while (decoder.nextRow()) {
        if (decoder.row() >= frame.rect.height || seen[decoder.row()])
            std::abort();
        seen[decoder.row()] = true;
        // The indices of a row are read in full, as the compositor reads them.
        unsigned sum = 0;
        for (std::uint32_t x = 0; x < frame.rect.width; ++x)
            sum += decoder.indices()[x];
        (void)sum;
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::span<const std::uint8_t> file(data, size);
    auto container = GifContainer::read(file);
    if (!container)
        return 0;
    if (container->headerEnd() > size)
        std::abort();
    // Frames far larger than the file cannot hold pixels for most of their rows; decoding them
    // all would only measure the decoder's speed at giving up, so the widest are skipped.
    constexpr std::uint64_t kDecodedPixels = std::uint64_t(1) << 22;
    std::uint64_t decoded = 0;
    for (auto& frame : container->frames()) {
        checkFrame(frame, size, container->headerEnd());
        std::uint64_t pixels = std::uint64_t(frame.rect.width) * frame.rect.height;
        if (!frame.isDecodable() || decoded + pixels > kDecodedPixels)
            continue;
        decoded += pixels;
        decode(file, *container, frame);
    }
    return 0;
}
