#include "tamarind/banner/FLAnimatedImage.h"

#include "host/imageio/CGBitmapContext.h"
#include "host/imageio/CGColorSpace.h"
#include "tamarind/banner/GifLog.h"
#include "tamarind/core/HostClasses.h"

// Predrawing: redrawing a decoded frame into a bitmap of its own on the decoding queue, so that
// showing it later costs the main thread nothing more than handing over the pixels.

namespace tamarind {

namespace {

// Layouts a bitmap context cannot hold are replaced by the nearest one it can: alpha that is
// absent or alone becomes an ignored byte, straight alpha becomes premultiplied.
CGImageAlphaInfo contextAlphaInfo(CGImageAlphaInfo imageAlpha)
{
    switch (imageAlpha) {
    case CGImageAlphaInfo::None:
    case CGImageAlphaInfo::Only:
        return CGImageAlphaInfo::NoneSkipFirst;
    case CGImageAlphaInfo::First:
        return CGImageAlphaInfo::PremultipliedFirst;
    case CGImageAlphaInfo::Last:
        return CGImageAlphaInfo::PremultipliedLast;
    default:
        return imageAlpha;
    }
}

constexpr const char* kColorSpaceName = "<CGColorSpace kCGColorSpaceDeviceRGB>";

}

rt::Ref<rt::Object> FLAnimatedImage::predrawnImage(rt::Object* image)
{
    CGImage* source = cgImageOf(image);
    if (!source)
        return image;
    auto colorSpace = CGColorSpace::createDeviceRGB();
    if (!colorSpace) {
        gifLog(FLLogLevelError, [&] {
            return formatString("Failed to `CGColorSpaceCreateDeviceRGB` for image %s", describeObject(image).c_str());
        });
        return image;
    }
    CGSize size = rt::send<CGSize>(image, SELECTOR("size"));
    std::size_t width = size.width > 0 ? static_cast<std::size_t>(size.width) : 0;
    std::size_t height = size.height > 0 ? static_cast<std::size_t>(size.height) : 0;
    std::size_t bitsPerComponent = 8;
    // One component more than the colour space has: the alpha or the ignored byte.
    std::size_t bytesPerRow = ((colorSpace->numberOfComponents() * 8 + 8) / 8) * width;
    auto context = CGBitmapContext::create(
        width, height, bitsPerComponent, bytesPerRow, *colorSpace, contextAlphaInfo(source->alphaInfo()));
    if (!context) {
        gifLog(FLLogLevelError, [&] {
            return formatString(
                "Failed to `CGBitmapContextCreate` with color space %s and parameters (width: %zu height: %zu "
                "bitsPerComponent: %zu bytesPerRow: %zu) for image %s",
                kColorSpaceName, width, height, bitsPerComponent, bytesPerRow, describeObject(image).c_str());
        });
        return image;
    }
    context->drawImage(CGRectMake(0, 0, size.width, size.height), *source);
    auto drawn = context->makeImage();
    double scale = rt::send<double>(image, SELECTOR("scale"));
    long orientation = rt::send<long>(image, SELECTOR("imageOrientation"));
    rt::Ref<rt::Object> predrawn = rt::send<rt::Object*>(
        imageClass.get(), SELECTOR("imageWithCGImage:scale:orientation:"), drawn.get(), scale, orientation);
    if (!predrawn) {
        gifLog(FLLogLevelError, [&] {
            return formatString(
                "Failed to `imageWithCGImage:scale:orientation:` with image ref %s created with color space "
                "%s and bitmap context %s and properties and properties (scale: %f orientation: %ld) "
                "for image %s",
                describeObject(drawn.get()).c_str(), kColorSpaceName,
                formatString("<CGContext %p>", static_cast<void*>(context.get())).c_str(), scale, orientation,
                describeObject(image).c_str());
        });
        return image;
    }
    return predrawn;
}

}
