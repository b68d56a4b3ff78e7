// Feeds arbitrary bytes to the GIF image source: the structure and every property, every frame
// in order, then the frames again in reverse on a second source, which must give the same
// pixels (the compositor's key frames are a shortcut and must never change a picture), and the
// first frame drawn through a bitmap context as predrawing would.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string_view>
#include <vector>

#include "host/imageio/CGBitmapContext.h"
#include "host/imageio/CGImageSource.h"

namespace {

// Comparing access orders decodes every frame twice; beyond this many frames only the first
// ones are compared.
constexpr std::size_t kComparedFrames = 48;
constexpr std::uint64_t kComparedPixels = std::uint64_t(1) << 24;

// Screens may hold millions of pixels, so the hash is the standard library's, which the
// fuzzer's coverage does not slow down byte by byte.
std::uint64_t hashImage(const CGImage* image)
{
    if (!image)
        return 0;
    std::string_view pixels(reinterpret_cast<const char*>(image->data()), image->dataLength());
    return std::hash<std::string_view> {}(pixels) | 1;
}

// Going backwards restarts from the first frame for every frame compared, so fewer frames are
// compared on larger screens, keeping each run to a few dozen screens' worth of work.
std::size_t comparedFrames(const CGImageSource& source)
{
    auto gif = source.properties().gif;
    std::uint64_t pixels = gif ? std::uint64_t(gif->canvasPixelWidth) * gif->canvasPixelHeight : 0;
    std::uint64_t fitting = pixels ? kComparedPixels / pixels : kComparedFrames;
    return std::size_t(std::clamp<std::uint64_t>(fitting, 2, kComparedFrames));
}

void predraw(const CGImage& image)
{
    auto space = CGColorSpace::createDeviceRGB();
    auto context
        = CGBitmapContext::create(image.width(), image.height(), 8, 0, *space, CGImageAlphaInfo::PremultipliedLast);
    if (!context)
        return;
    context->drawImage(CGRectMake(0, 0, double(image.width()), double(image.height())), image);
    context->drawImage(CGRectMake(1.5, -2, double(image.width()) / 3, double(image.height()) * 2), image);
    auto drawn = context->makeImage();
    if (!drawn || drawn->width() != image.width())
        std::abort();
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto source = CGImageSource::create({ data, size });
    if (!source)
        return 0;
    (void)source->properties().description();
    std::size_t count = source->count();
    std::size_t compared = std::min(count, comparedFrames(*source));
    std::vector<std::uint64_t> hashes;
    for (std::size_t i = 0; i < count; ++i) {
        (void)source->propertiesAtIndex(i)->description();
        auto image = source->createImageAtIndex(i);
        // Reading the pixels is what composites the frame.
        std::uint64_t hash = hashImage(image.get());
        if (i < compared)
            hashes.push_back(hash);
        if (image && i == 0)
            predraw(*image);
    }
    auto again = CGImageSource::create({ data, size });
    for (std::size_t i = compared; i-- > 0;) {
        auto image = again->createImageAtIndex(i);
        if (hashImage(image.get()) != hashes[i])
            std::abort();
    }
    return 0;
}
