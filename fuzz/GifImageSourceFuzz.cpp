// Feeds arbitrary bytes to the GIF image source: the structure and every property, every frame
// in order, then the frames again in reverse on a second source, which must give the same
// pixels (the compositor's key frames are a shortcut and must never change a picture), and the
// first frame drawn through a bitmap context as predrawing would.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "host/imageio/CGBitmapContext.h"
#include "host/imageio/CGImageSource.h"

namespace {

// Comparing access orders decodes every frame twice; beyond this many frames only the first
// ones are compared.
constexpr std::size_t kComparedFrames = 48;

std::uint64_t hashImage(const CGImage* image)
{
    if (!image)
        return 0;
    std::uint64_t hash = 1469598103934665603ull;
    const std::uint8_t* pixels = image->data();
    for (std::size_t i = 0, length = image->dataLength(); i < length; ++i)
        hash = (hash ^ pixels[i]) * 1099511628211ull;
    return hash | 1;
}

void predraw(const CGImage& image)
{
    auto space = CGColorSpace::createDeviceRGB();
    auto context
        = CGBitmapContext::create(image.width(), image.height(), 8, 0, *space, CGImageAlphaInfo::PremultipliedFirst);
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
    std::size_t compared = count < kComparedFrames ? count : kComparedFrames;
    std::vector<std::uint64_t> hashes;
    for (std::size_t i = 0; i < count; ++i) {
        (void)source->propertiesAtIndex(i)->description();
        auto image = source->createImageAtIndex(i);
        if (i < compared)
            hashes.push_back(hashImage(image.get()));
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
