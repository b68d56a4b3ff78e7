#pragma once

#include <cstddef>
#include <cstdint>
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
class CGImage final : public rt::Object {
public:
    static rt::Class* runtimeClass();

    // Takes the pixels; null when the sizes are zero or do not match the buffer, or the layout
    // is not one of the four-byte layouts above.
    static rt::Ref<CGImage> create(std::size_t width, std::size_t height, std::size_t bytesPerRow, CGImageAlphaInfo,
        std::vector<std::uint8_t> pixels);

    // An empty image; the runtime's allocator needs it. Images with pixels come from create().
    CGImage() = default;

    std::size_t width() const { return m_width; }
    std::size_t height() const { return m_height; }
    std::size_t bytesPerRow() const { return m_bytesPerRow; }
    std::size_t bitsPerComponent() const { return 8; }
    std::size_t bitsPerPixel() const { return 32; }
    CGImageAlphaInfo alphaInfo() const { return m_alphaInfo; }
    const std::uint8_t* data() const { return m_pixels.data(); }
    std::size_t dataLength() const { return m_pixels.size(); }

    // The pixel at column x of row y (row 0 is the top), converted to premultiplied RGBA.
    RGBA8 pixelAt(std::size_t x, std::size_t y) const;

private:
    std::size_t m_width { 0 };
    std::size_t m_height { 0 };
    std::size_t m_bytesPerRow { 0 };
    CGImageAlphaInfo m_alphaInfo { CGImageAlphaInfo::PremultipliedLast };
    std::vector<std::uint8_t> m_pixels;
};

// Conversions between the stored layouts and premultiplied RGBA. Layouts that cannot be stored
// (None, Only) are never passed in: images and contexts refuse them when created.
RGBA8 loadPixel(const std::uint8_t* pixel, CGImageAlphaInfo);
void storePixel(std::uint8_t* pixel, RGBA8, CGImageAlphaInfo);
bool isFourByteLayout(CGImageAlphaInfo);
