// Feeds arbitrary JPEG files to the host's image decoder, both as an image made from data is
// decoded at once and as one made from a file is decoded on first use. Either way the answer is
// an image of the size the header gives, whose pixels can be read, or nothing with a reason.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "host/imageio/CGImage.h"
#include "host/imageio/ImageCodec.h"

namespace {

constexpr std::size_t kLargestDecodedPixels = 1 << 20;

void check(const CGImage* image, const std::string& error)
{
    if (!image == error.empty())
        std::abort();
    if (!image)
        return;
    // Reading the pixels is what decodes an image made on first use.
    if (!image->data() || image->dataLength() != image->bytesPerRow() * image->height())
        std::abort();
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Only JPEG files (a start of image marker); other formats are left to their own targets.
    if (size < 3 || data[0] != 0xFF || data[1] != 0xD8 || data[2] != 0xFF)
        return 0;
    // An image made on first use reads only the header, so it tells the size before anything is
    // decoded. A picture of more than a million pixels runs the same loops as a small one for
    // longer: decoding it would spend the run's time on few inputs instead of many.
    std::string lazyError;
    auto lazy = imageDecodedOnFirstUse(std::make_shared<const std::vector<std::uint8_t>>(data, data + size), lazyError);
    if (lazy && std::size_t(lazy->width()) * lazy->height() > kLargestDecodedPixels)
        return 0;
    std::string error;
    auto image = decodeImage(data, size, error);
    check(image.get(), error);
    check(lazy.get(), lazyError);
    if (image && lazy && (image->width() != lazy->width() || image->height() != lazy->height()))
        std::abort();
    return 0;
}
