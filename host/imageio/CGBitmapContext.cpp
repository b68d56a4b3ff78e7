#include "host/imageio/CGBitmapContext.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

bool isContextLayout(CGImageAlphaInfo info)
{
    return info == CGImageAlphaInfo::PremultipliedLast || info == CGImageAlphaInfo::PremultipliedFirst
        || info == CGImageAlphaInfo::NoneSkipLast || info == CGImageAlphaInfo::NoneSkipFirst;
}

std::uint8_t blendComponent(std::uint8_t source, std::uint8_t destination, std::uint8_t sourceAlpha)
{
    return static_cast<std::uint8_t>(source + (destination * (255 - sourceAlpha) + 127) / 255);
}

// Source-over of premultiplied colours.
RGBA8 sourceOver(RGBA8 s, RGBA8 d)
{
    if (s.a == 255)
        return s;
    if (!s.a && !s.r && !s.g && !s.b)
        return d;
    return { blendComponent(s.r, d.r, s.a), blendComponent(s.g, d.g, s.a), blendComponent(s.b, d.b, s.a),
        blendComponent(s.a, d.a, s.a) };
}

// The first pixel index whose centre is at or after `edge`, kept within [0, limit].
std::size_t firstPixelAtOrAfter(double edge, std::size_t limit)
{
    double index = std::ceil(edge - 0.5);
    return static_cast<std::size_t>(std::clamp(index, 0.0, static_cast<double>(limit)));
}

// The source pixel sampled for a destination pixel centre lying `offset` into a span of
// `extent` destination pixels that shows `sourceLength` source pixels.
std::size_t samplePixel(double offset, double extent, std::size_t sourceLength)
{
    double index = std::floor(offset / extent * static_cast<double>(sourceLength));
    return static_cast<std::size_t>(std::clamp(index, 0.0, static_cast<double>(sourceLength - 1)));
}

}

std::unique_ptr<CGBitmapContext> CGBitmapContext::create(std::size_t width, std::size_t height,
    std::size_t bitsPerComponent, std::size_t bytesPerRow, const CGColorSpace& colorSpace, CGImageAlphaInfo alphaInfo)
{
    if (!width || !height || bitsPerComponent != 8 || !isContextLayout(alphaInfo))
        return nullptr;
    // Four bytes per pixel: the colour space's components and the alpha or skipped byte.
    std::size_t bytesPerPixel = colorSpace.numberOfComponents() + 1;
    if (width > maximumBytes / bytesPerPixel)
        return nullptr;
    if (!bytesPerRow)
        bytesPerRow = width * bytesPerPixel;
    if (bytesPerRow < width * bytesPerPixel || height > maximumBytes / bytesPerRow)
        return nullptr;
    std::unique_ptr<CGBitmapContext> context(new CGBitmapContext);
    context->m_width = width;
    context->m_height = height;
    context->m_bytesPerRow = bytesPerRow;
    context->m_alphaInfo = alphaInfo;
    return context;
}

void CGBitmapContext::drawImage(const CGRect& rect, const CGImage& image)
{
    if (!image.width() || !image.height())
        return;
    double x = rect.origin.x, y = rect.origin.y, w = rect.size.width, h = rect.size.height;
    if (w < 0)
        x += w, w = -w;
    if (h < 0)
        y += h, h = -h;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(w) || !std::isfinite(h) || w <= 0 || h <= 0)
        return;
    double contextWidth = static_cast<double>(m_width), contextHeight = static_cast<double>(m_height);
    if (!x && !y && w == contextWidth && h == contextHeight && image.width() == m_width && image.height() == m_height) {
        if (!drawWhole(image))
            drawUnscaled(image);
        m_blank = false;
        return;
    }
    // Rows are stored top first, so the rectangle's top edge in storage is the context height
    // less its upper y.
    double top = contextHeight - (y + h);
    std::size_t columnBegin = firstPixelAtOrAfter(x, m_width), columnEnd = firstPixelAtOrAfter(x + w, m_width);
    std::size_t rowBegin = firstPixelAtOrAfter(top, m_height), rowEnd = firstPixelAtOrAfter(top + h, m_height);
    if (columnBegin >= columnEnd || rowBegin >= rowEnd)
        return;
    std::vector<std::size_t> sourceColumns(columnEnd - columnBegin);
    for (std::size_t column = columnBegin; column < columnEnd; ++column)
        sourceColumns[column - columnBegin] = samplePixel(static_cast<double>(column) + 0.5 - x, w, image.width());
    std::uint8_t* pixels = writablePixels();
    m_blank = false;
    for (std::size_t row = rowBegin; row < rowEnd; ++row) {
        std::size_t sourceRow = samplePixel(static_cast<double>(row) + 0.5 - top, h, image.height());
        for (std::size_t column = columnBegin; column < columnEnd; ++column) {
            std::uint8_t* destination = pixels + row * m_bytesPerRow + column * 4;
            RGBA8 source = image.pixelAt(sourceColumns[column - columnBegin], sourceRow);
            storePixel(destination, sourceOver(source, loadPixel(destination, m_alphaInfo)), m_alphaInfo);
        }
    }
}

// Source-over onto the transparent black of a fresh premultiplied context leaves every source
// pixel as it is, so a fresh context can take the image's own pixels when they are laid out as
// its own would be.
bool CGBitmapContext::drawWhole(const CGImage& image)
{
    bool premultiplied
        = m_alphaInfo == CGImageAlphaInfo::PremultipliedLast || m_alphaInfo == CGImageAlphaInfo::PremultipliedFirst;
    if (!m_blank || !premultiplied || image.alphaInfo() != m_alphaInfo || image.bytesPerRow() != m_bytesPerRow)
        return false;
    auto shared = image.sharedPixels();
    if (shared->size() != m_bytesPerRow * m_height)
        return false;
    // Nothing writes a buffer an image holds: writablePixels() copies it first.
    m_pixels = std::const_pointer_cast<CGImage::PixelBuffer>(std::move(shared));
    return true;
}

namespace {

// Source-over of one premultiplied pixel stored in the layout both sides share; the alpha byte
// sits at `alphaByte`. Opaque pixels replace, fully transparent ones leave the destination.
inline void blendSameLayout(std::uint8_t* destination, const std::uint8_t* source, unsigned alphaByte)
{
    unsigned alpha = source[alphaByte];
    if (alpha == 255) {
        std::memcpy(destination, source, 4);
        return;
    }
    unsigned remaining = 255 - alpha;
    for (unsigned i = 0; i < 4; ++i)
        destination[i] = static_cast<std::uint8_t>(source[i] + (destination[i] * remaining + 127) / 255);
}

}

void CGBitmapContext::drawUnscaled(const CGImage& image)
{
    const std::uint8_t* source = image.data();
    std::uint8_t* pixels = writablePixels();
    std::size_t rowBytes = m_width * 4;
    if (image.alphaInfo() == m_alphaInfo
        && (m_alphaInfo == CGImageAlphaInfo::PremultipliedLast
            || m_alphaInfo == CGImageAlphaInfo::PremultipliedFirst)) {
        unsigned alphaByte = m_alphaInfo == CGImageAlphaInfo::PremultipliedLast ? 3 : 0;
        for (std::size_t row = 0; row < m_height; ++row, source += image.bytesPerRow()) {
            std::uint8_t* destination = pixels + row * m_bytesPerRow;
            for (std::size_t offset = 0; offset < rowBytes; offset += 4)
                blendSameLayout(destination + offset, source + offset, alphaByte);
        }
        return;
    }
    if (image.alphaInfo() == m_alphaInfo) {
        // Both sides ignore alpha: every pixel is opaque, so the rows are copied, with the
        // ignored byte set as a context writes it.
        unsigned skipByte = m_alphaInfo == CGImageAlphaInfo::NoneSkipLast ? 3 : 0;
        for (std::size_t row = 0; row < m_height; ++row, source += image.bytesPerRow()) {
            std::uint8_t* destination = pixels + row * m_bytesPerRow;
            std::memcpy(destination, source, rowBytes);
            for (std::size_t offset = skipByte; offset < rowBytes; offset += 4)
                destination[offset] = 255;
        }
        return;
    }
    for (std::size_t row = 0; row < m_height; ++row, source += image.bytesPerRow()) {
        for (std::size_t column = 0; column < m_width; ++column) {
            std::uint8_t* destination = pixels + row * m_bytesPerRow + column * 4;
            RGBA8 color = loadPixel(source + column * 4, image.alphaInfo());
            if (color.a != 255)
                color = sourceOver(color, loadPixel(destination, m_alphaInfo));
            storePixel(destination, color, m_alphaInfo);
        }
    }
}

CGImage::PixelBuffer& CGBitmapContext::pixels() const
{
    if (!m_pixels)
        m_pixels = std::make_shared<CGImage::PixelBuffer>(m_bytesPerRow * m_height, 0);
    return *m_pixels;
}

std::uint8_t* CGBitmapContext::writablePixels()
{
    // A count of one means no image holds the buffer, and only this context could make one.
    if (m_pixels.use_count() > 1)
        m_pixels = std::make_shared<CGImage::PixelBuffer>(*m_pixels);
    return pixels().data();
}

rt::Ref<CGImage> CGBitmapContext::makeImage() const
{
    pixels();
    return CGImage::createSharing(m_width, m_height, m_bytesPerRow, m_alphaInfo, m_pixels);
}
