#include "host/imageio/ImageRepresentation.h"

#include <algorithm>
#include <cmath>

#include "host/foundation/Data.h"
#include "host/imageio/CGImage.h"
#include "host/imageio/ImageCodec.h"
#include "host/runtime/Messaging.h"

using rt::Object;

namespace {

// The image's bitmap, asked for as any caller of UIImage would; null for an object that has none.
const CGImage* bitmapOf(Object* image)
{
    static const rt::SEL cgImage = rt::sel("CGImage");
    if (!image || !rt::respondsTo(image, cgImage))
        return nullptr;
    return rt::dynamicCast<CGImage>(rt::send<Object*>(image, cgImage), CGImage::runtimeClass());
}

Object* dataObject(std::optional<std::vector<std::uint8_t>> bytes)
{
    return bytes ? rt::autorelease(NSData::create(std::move(*bytes))) : nullptr;
}

}

Object* UIImagePNGRepresentation(Object* image)
{
    const CGImage* bitmap = bitmapOf(image);
    return bitmap ? dataObject(encodePNG(*bitmap)) : nullptr;
}

Object* UIImageJPEGRepresentation(Object* image, double quality)
{
    const CGImage* bitmap = bitmapOf(image);
    if (!bitmap)
        return nullptr;
    return dataObject(encodeJPEG(*bitmap, std::isfinite(quality) ? std::clamp(quality, 0.0, 1.0) : 0.9));
}
