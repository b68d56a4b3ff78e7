#include "host/imageio/CGBitmapContext.h"

#include <algorithm>
#include <cmath>

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
    context->m_pixels.assign(bytesPerRow * height, 0);
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
        drawUnscaled(image);
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
    for (std::size_t row = rowBegin; row < rowEnd; ++row) {
        std::size_t sourceRow = samplePixel(static_cast<double>(row) + 0.5 - top, h, image.height());
        for (std::size_t column = columnBegin; column < columnEnd; ++column) {
            std::uint8_t* destination = pixel(column, row);
            RGBA8 source = image.pixelAt(sourceColumns[column - columnBegin], sourceRow);
            storePixel(destination, sourceOver(source, loadPixel(destination, m_alphaInfo)), m_alphaInfo);
        }
    }
}

void CGBitmapContext::drawUnscaled(const CGImage& image)
{
    const std::uint8_t* source = image.data();
    for (std::size_t row = 0; row < m_height; ++row, source += image.bytesPerRow()) {
        for (std::size_t column = 0; column < m_width; ++column) {
            std::uint8_t* destination = pixel(column, row);
            RGBA8 color = loadPixel(source + column * 4, image.alphaInfo());
            if (color.a != 255)
                color = sourceOver(color, loadPixel(destination, m_alphaInfo));
            storePixel(destination, color, m_alphaInfo);
        }
    }
}

rt::Ref<CGImage> CGBitmapContext::makeImage() const
{
    return CGImage::create(m_width, m_height, m_bytesPerRow, m_alphaInfo, m_pixels);
}
