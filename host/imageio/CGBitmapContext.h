#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "host/foundation/Geometry.h"
#include "host/imageio/CGColorSpace.h"
#include "host/imageio/CGImage.h"

// A drawing destination backed by memory it owns, the stand-in for CGBitmapContextCreate with a
// null data pointer. Coordinates follow CoreGraphics: the origin is the bottom-left corner and
// y grows upwards, so an image drawn into a rectangle appears upright in it. Images are drawn
// with source-over blending and nearest-neighbour sampling when scaled.
//
// The common case, an image of the context's own size and layout drawn over the whole context,
// takes a direct path with no per-pixel conversion; drawn over a context that nothing has been
// drawn into, it takes the image's pixels as they are and shares them. An image made from the
// context shares the context's pixels too: whichever side writes next copies them first.
class CGBitmapContext {
public:
    // Null for the parameter combinations CoreGraphics refuses: a zero size, anything but 8 bits
    // per component, rows too short for the width (0 lets the context choose), an alpha layout
    // other than the four RGB ones with premultiplied or skipped alpha, or a bitmap too large
    // to allocate.
    static std::unique_ptr<CGBitmapContext> create(std::size_t width, std::size_t height, std::size_t bitsPerComponent,
        std::size_t bytesPerRow, const CGColorSpace&, CGImageAlphaInfo);

    std::size_t width() const { return m_width; }
    std::size_t height() const { return m_height; }
    std::size_t bytesPerRow() const { return m_bytesPerRow; }
    CGImageAlphaInfo alphaInfo() const { return m_alphaInfo; }
    const std::uint8_t* data() const { return pixels().data(); }

    // CGContextDrawImage: the whole image scaled into `rect`; the parts outside the context
    // are clipped. A rectangle that is empty or not finite draws nothing.
    void drawImage(const CGRect&, const CGImage&);

    // CGBitmapContextCreateImage: a copy of the current contents, unaffected by later drawing.
    rt::Ref<CGImage> makeImage() const;

    // The largest bitmap, in bytes, that a context or an image source will allocate.
    static constexpr std::size_t maximumBytes = std::size_t(1) << 28;

private:
    CGBitmapContext() = default;

    bool drawWhole(const CGImage&);
    void drawUnscaled(const CGImage&);
    // The pixels, copied first if an image still shares them.
    std::uint8_t* writablePixels();
    // The pixels, allocated (transparent) on first use.
    CGImage::PixelBuffer& pixels() const;

    std::size_t m_width { 0 };
    std::size_t m_height { 0 };
    std::size_t m_bytesPerRow { 0 };
    CGImageAlphaInfo m_alphaInfo { CGImageAlphaInfo::PremultipliedLast };
    // Null until first used, so that a context whose first drawing takes an image's pixels
    // never allocates its own.
    mutable std::shared_ptr<CGImage::PixelBuffer> m_pixels;
    // Nothing has been drawn since the context was created: every byte is still zero.
    bool m_blank { true };
};
