#include "host/imageio/UniformType.h"

#include <cstring>

namespace {

bool startsWith(const std::uint8_t* bytes, std::size_t length, const void* prefix, std::size_t prefixLength)
{
    return bytes && length >= prefixLength && !std::memcmp(bytes, prefix, prefixLength);
}

// The parent of a type in the small tree this platform knows; empty at the root.
std::string_view parentType(std::string_view type)
{
    if (type == kUTTypeGIF || type == kUTTypePNG || type == kUTTypeJPEG)
        return kUTTypeImage;
    if (type == kUTTypeImage)
        return kUTTypeData;
    if (type == kUTTypeData)
        return kUTTypeItem;
    return {};
}

}

bool isGIFData(const std::uint8_t* bytes, std::size_t length)
{
    return startsWith(bytes, length, "GIF87a", 6) || startsWith(bytes, length, "GIF89a", 6);
}

std::string_view imageTypeOfData(const std::uint8_t* bytes, std::size_t length)
{
    static constexpr std::uint8_t pngSignature[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    static constexpr std::uint8_t jpegSignature[] = { 0xFF, 0xD8, 0xFF };
    if (isGIFData(bytes, length))
        return kUTTypeGIF;
    if (startsWith(bytes, length, pngSignature, sizeof pngSignature))
        return kUTTypePNG;
    if (startsWith(bytes, length, jpegSignature, sizeof jpegSignature))
        return kUTTypeJPEG;
    return {};
}

bool UTTypeConformsTo(std::string_view type, std::string_view conformsTo)
{
    if (type.empty() || conformsTo.empty())
        return false;
    for (std::string_view t = type; !t.empty(); t = parentType(t)) {
        if (t == conformsTo)
            return true;
    }
    return false;
}
