#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "host/runtime/Class.h"
#include "host/runtime/Object.h"

// The numbers are the platform's own, so code that maps one alpha layout to another by value
// (as predrawing does) reads the same here as on a device. Every layout stores four 8-bit
// components per pixel in memory order: "Last" means R, G, B, A; "First" means A, R, G, B;
// "Skip" means the alpha byte is present but ignored.
enum class CGImageAlphaInfo : std::uint32_t {
    None = 0,
    PremultipliedLast = 1,
    PremultipliedFirst = 2,
    Last = 3,
    First = 4,
    NoneSkipLast = 5,
    NoneSkipFirst = 6,
    Only = 7,
};

// One premultiplied RGBA pixel, the form drawing works in whatever the stored layout is.
struct RGBA8 {
    std::uint8_t r { 0 }, g { 0 }, b { 0 }, a { 0 };
    bool operator==(const RGBA8&) const = default;
};

// An immutable bitmap: the stand-in for CGImageRef. It is a runtime object (class "CGImage") so
// that a UIImage can hold it and a log line can name it; its pixels are read directly in C++.
//
// As on the platform, an image need not hold its pixels from the start: a lazy image knows its
// size and layout at once and produces its pixels the first time anything reads them, once,
// on whichever thread reads first. Pixel buffers are immutable once an image has them, so
// images (and a bitmap context until it next draws) share one buffer instead of copying it.
class CGImage final : public rt::Object {
public:
    using PixelBuffer = std::vector<std::uint8_t>;
    // Produces a lazy image's pixels: bytesPerRow * height bytes in the image's layout. A
    // shorter result is completed with transparent (zero) bytes.
    using PixelProvider = std::function<PixelBuffer()>;

    static rt::Class* runtimeClass();

    // Takes the pixels; null when the sizes are zero or do not match the buffer, or the layout
    // is not one of the four-byte layouts above.
    static rt::Ref<CGImage> create(std::size_t width, std::size_t height, std::size_t bytesPerRow, CGImageAlphaInfo,
        std::vector<std::uint8_t> pixels);
    // The same, sharing a buffer that nobody writes any more.
    static rt::Ref<CGImage> createSharing(std::size_t width, std::size_t height, std::size_t bytesPerRow,
        CGImageAlphaInfo, std::shared_ptr<const PixelBuffer> pixels);
    // An image whose pixels come from `provider` when first read; null for the sizes and
    // layouts create() refuses.
    static rt::Ref<CGImage> createLazily(
        std::size_t width, std::size_t height, std::size_t bytesPerRow, CGImageAlphaInfo, PixelProvider provider);

    // An empty image; the runtime's allocator needs it. Images with pixels come from create().
    CGImage() = default;

    std::size_t width() const { return m_width; }
    std::size_t height() const { return m_height; }
    std::size_t bytesPerRow() const { return m_bytesPerRow; }
    std::size_t bitsPerComponent() const { return 8; }
    std::size_t bitsPerPixel() const { return 32; }
    CGImageAlphaInfo alphaInfo() const { return m_alphaInfo; }
    // Reading the pixels produces them if the image is lazy.
    const std::uint8_t* data() const { return pixels()->data(); }
    std::size_t dataLength() const { return pixels()->size(); }
    const std::shared_ptr<const PixelBuffer>& sharedPixels() const { return pixels(); }
    // Whether the pixels exist yet; a lazy image has none until they are first read.
    bool hasPixels() const { return m_hasPixels.load(std::memory_order_acquire); }

    // The pixel at column x of row y (row 0 is the top), converted to premultiplied RGBA.
    RGBA8 pixelAt(std::size_t x, std::size_t y) const;

private:
    static bool acceptsGeometry(std::size_t width, std::size_t height, std::size_t bytesPerRow, CGImageAlphaInfo);
    // An image of that geometry, its pixels still to be given.
    static rt::Ref<CGImage> withGeometry(
        std::size_t width, std::size_t height, std::size_t bytesPerRow, CGImageAlphaInfo);
    const std::shared_ptr<const PixelBuffer>& pixels() const
    {
        return m_hasPixels.load(std::memory_order_acquire) ? m_pixels : producePixels();
    }
    const std::shared_ptr<const PixelBuffer>& producePixels() const;

    std::size_t m_width { 0 };
    std::size_t m_height { 0 };
    std::size_t m_bytesPerRow { 0 };
    CGImageAlphaInfo m_alphaInfo { CGImageAlphaInfo::PremultipliedLast };
    mutable std::once_flag m_produced;
    mutable PixelProvider m_provider;
    mutable std::shared_ptr<const PixelBuffer> m_pixels;
    mutable std::atomic<bool> m_hasPixels { false };
};

// Conversions between the stored layouts and premultiplied RGBA. Layouts that cannot be stored
// (None, Only) are never passed in: images and contexts refuse them when created.
RGBA8 loadPixel(const std::uint8_t* pixel, CGImageAlphaInfo);
void storePixel(std::uint8_t* pixel, RGBA8, CGImageAlphaInfo);
bool isFourByteLayout(CGImageAlphaInfo);
