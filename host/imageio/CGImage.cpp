#include "host/imageio/CGImage.h"

#include <cstdint>

#include "host/runtime/RootClass.h"

namespace {

std::uint8_t premultiply(std::uint8_t component, std::uint8_t alpha)
{
    return static_cast<std::uint8_t>((component * alpha + 127) / 255);
}

}

rt::Class* CGImage::runtimeClass()
{
    static rt::Class* cls = rt::defineCppClass<CGImage>("CGImage", rt::rootClass());
    return cls;
}

// Registered when the host loads, so that a lookup by name finds the class before any image
// has been created.
[[gnu::constructor]] static void registerCGImageClass()
{
    CGImage::runtimeClass();
}

bool CGImage::acceptsGeometry(std::size_t width, std::size_t height, std::size_t bytesPerRow, CGImageAlphaInfo alpha)
{
    return width && height && isFourByteLayout(alpha) && width <= bytesPerRow / 4 && height <= SIZE_MAX / bytesPerRow;
}

rt::Ref<CGImage> CGImage::withGeometry(
    std::size_t width, std::size_t height, std::size_t bytesPerRow, CGImageAlphaInfo alphaInfo)
{
    auto image = rt::createObject<CGImage>(runtimeClass());
    image->m_width = width;
    image->m_height = height;
    image->m_bytesPerRow = bytesPerRow;
    image->m_alphaInfo = alphaInfo;
    return image;
}

rt::Ref<CGImage> CGImage::create(std::size_t width, std::size_t height, std::size_t bytesPerRow,
    CGImageAlphaInfo alphaInfo, std::vector<std::uint8_t> pixels)
{
    return createSharing(width, height, bytesPerRow, alphaInfo, std::make_shared<const PixelBuffer>(std::move(pixels)));
}

rt::Ref<CGImage> CGImage::createSharing(std::size_t width, std::size_t height, std::size_t bytesPerRow,
    CGImageAlphaInfo alphaInfo, std::shared_ptr<const PixelBuffer> pixels)
{
    if (!pixels || !acceptsGeometry(width, height, bytesPerRow, alphaInfo) || pixels->size() / bytesPerRow < height)
        return nullptr;
    auto image = withGeometry(width, height, bytesPerRow, alphaInfo);
    image->m_pixels = std::move(pixels);
    // The pixels are there from the start, so the first read has nothing to produce.
    std::call_once(image->m_produced, [] {});
    image->m_hasPixels.store(true, std::memory_order_release);
    return image;
}

rt::Ref<CGImage> CGImage::createLazily(
    std::size_t width, std::size_t height, std::size_t bytesPerRow, CGImageAlphaInfo alphaInfo, PixelProvider provider)
{
    if (!provider || !acceptsGeometry(width, height, bytesPerRow, alphaInfo))
        return nullptr;
    auto image = withGeometry(width, height, bytesPerRow, alphaInfo);
    image->m_provider = std::move(provider);
    return image;
}

const std::shared_ptr<const CGImage::PixelBuffer>& CGImage::producePixels() const
{
    std::call_once(m_produced, [this] {
        PixelBuffer produced = m_provider();
        if (produced.size() < m_bytesPerRow * m_height)
            produced.resize(m_bytesPerRow * m_height, 0);
        m_pixels = std::make_shared<const PixelBuffer>(std::move(produced));
        // Whatever the provider held (a source, a file) is let go with it.
        m_provider = nullptr;
        m_hasPixels.store(true, std::memory_order_release);
    });
    return m_pixels;
}

RGBA8 CGImage::pixelAt(std::size_t x, std::size_t y) const
{
    if (x >= m_width || y >= m_height)
        return {};
    return loadPixel(data() + y * m_bytesPerRow + x * 4, m_alphaInfo);
}

bool isFourByteLayout(CGImageAlphaInfo info)
{
    return info != CGImageAlphaInfo::None && info != CGImageAlphaInfo::Only
        && static_cast<std::uint32_t>(info) <= static_cast<std::uint32_t>(CGImageAlphaInfo::Only);
}

RGBA8 loadPixel(const std::uint8_t* p, CGImageAlphaInfo info)
{
    switch (info) {
    case CGImageAlphaInfo::PremultipliedLast:
        return { p[0], p[1], p[2], p[3] };
    case CGImageAlphaInfo::PremultipliedFirst:
        return { p[1], p[2], p[3], p[0] };
    case CGImageAlphaInfo::Last:
        return { premultiply(p[0], p[3]), premultiply(p[1], p[3]), premultiply(p[2], p[3]), p[3] };
    case CGImageAlphaInfo::First:
        return { premultiply(p[1], p[0]), premultiply(p[2], p[0]), premultiply(p[3], p[0]), p[0] };
    case CGImageAlphaInfo::NoneSkipLast:
        return { p[0], p[1], p[2], 255 };
    case CGImageAlphaInfo::NoneSkipFirst:
        return { p[1], p[2], p[3], 255 };
    case CGImageAlphaInfo::None:
    case CGImageAlphaInfo::Only:
        break;
    }
    return {};
}

namespace {

std::uint8_t unpremultiply(std::uint8_t component, std::uint8_t alpha)
{
    if (!alpha)
        return 0;
    unsigned value = (component * 255u + alpha / 2) / alpha;
    return static_cast<std::uint8_t>(value > 255 ? 255 : value);
}

}

void storePixel(std::uint8_t* p, RGBA8 c, CGImageAlphaInfo info)
{
    switch (info) {
    case CGImageAlphaInfo::PremultipliedLast:
        p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = c.a;
        return;
    case CGImageAlphaInfo::PremultipliedFirst:
        p[0] = c.a, p[1] = c.r, p[2] = c.g, p[3] = c.b;
        return;
    case CGImageAlphaInfo::Last:
        p[0] = unpremultiply(c.r, c.a), p[1] = unpremultiply(c.g, c.a), p[2] = unpremultiply(c.b, c.a), p[3] = c.a;
        return;
    case CGImageAlphaInfo::First:
        p[0] = c.a, p[1] = unpremultiply(c.r, c.a), p[2] = unpremultiply(c.g, c.a), p[3] = unpremultiply(c.b, c.a);
        return;
    case CGImageAlphaInfo::NoneSkipLast:
        p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = 255;
        return;
    case CGImageAlphaInfo::NoneSkipFirst:
        p[0] = 255, p[1] = c.r, p[2] = c.g, p[3] = c.b;
        return;
    case CGImageAlphaInfo::None:
    case CGImageAlphaInfo::Only:
        return;
    }
}
