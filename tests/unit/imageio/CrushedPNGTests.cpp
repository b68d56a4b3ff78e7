#include <gtest/gtest.h>

#include <algorithm>

#include "host/imageio/CGImage.h"
#include "host/imageio/ImageCodec.h"
#include "host/runtime/Runtime.h"
#include "support/CrushedPNGWriter.h"

namespace {

constexpr uint32_t kWidth = 5, kHeight = 3;

// Every pixel different, with opaque, translucent and clear ones, so that a channel swapped, an
// alpha applied twice or a pixel of the wrong Adam7 pass shows. Stored as the crushed form stores
// them: B, G, R, A with the colours premultiplied.
std::vector<uint8_t> crushedPixels(bool alpha)
{
    std::vector<uint8_t> pixels;
    for (uint32_t i = 0; i < kWidth * kHeight; ++i) {
        uint8_t a = alpha ? uint8_t(255 - i * 17) : 255;
        uint8_t b = uint8_t(i * 13 % a), g = uint8_t(i * 7 % a), r = uint8_t(a - i);
        pixels.insert(pixels.end(), { b, g, r });
        if (alpha)
            pixels.push_back(a);
    }
    return pixels;
}

RGBA8 expectedPixel(const std::vector<uint8_t>& crushed, bool alpha, uint32_t i)
{
    size_t p = i * (alpha ? 4 : 3);
    return { crushed[p + 2], crushed[p + 1], crushed[p], alpha ? crushed[p + 3] : uint8_t(255) };
}

}

TEST(CrushedPNG, DecodesToPremultipliedRGBAWhateverTheLayout)
{
    rt::AutoreleasePool pool;
    struct Case {
        crushed::Options options;
        const char* name;
    };
    const Case cases[] = {
        { { true, false, 1024 }, "BGRA" },
        { { false, false, 1024 }, "BGR" },
        { { true, true, 1024 }, "BGRA, interlaced" },
        { { false, true, 7 }, "BGR, interlaced, data in many chunks" },
    };
    for (auto& c : cases) {
        auto pixels = crushedPixels(c.options.alpha);
        auto png = crushed::write(kWidth, kHeight, pixels, c.options);
        std::string error;
        rt::Ref<CGImage> cg = decodeImage(png.data(), png.size(), error);
        ASSERT_TRUE(cg) << c.name << ": " << error;
        ASSERT_EQ(cg->width(), kWidth);
        ASSERT_EQ(cg->height(), kHeight);
        for (uint32_t i = 0; i < kWidth * kHeight; ++i)
            EXPECT_EQ(cg->pixelAt(i % kWidth, i / kWidth), expectedPixel(pixels, c.options.alpha, i))
                << c.name << ", pixel " << i;
    }
}

TEST(CrushedPNG, MalformedFilesGiveNoImageAndSayWhy)
{
    rt::AutoreleasePool pool;
    auto good = crushed::write(kWidth, kHeight, crushedPixels(true));
    // Offsets in the file the writer makes: the signature, the CgBI chunk, then IHDR, sRGB and IDAT.
    const size_t header = 8 + 16, srgb = header + 25, data = srgb + 13;
    auto withHeader = [&](uint32_t width, uint32_t height, uint8_t depth) {
        auto png = good;
        for (int k = 0; k < 4; ++k) {
            png[header + 8 + k] = uint8_t(width >> (24 - 8 * k));
            png[header + 12 + k] = uint8_t(height >> (24 - 8 * k));
        }
        png[header + 16] = depth;
        return png;
    };
    auto truncated = good;
    truncated.resize(good.size() * 2 / 3);
    auto withoutEnd = good;
    withoutEnd.resize(good.size() - 12);
    auto corrupt = good;
    // The first stored block's length and its complement no longer agree.
    corrupt[data + 8 + 2] ^= 0xFF;
    auto headerLater = good;
    std::rotate(headerLater.begin() + header, headerLater.begin() + srgb, headerLater.begin() + data);
    struct Case {
        std::vector<uint8_t> png;
        const char* reason;
    };
    const Case cases[] = {
        { truncated, "truncated or malformed chunks" },
        { withoutEnd, "truncated or malformed chunks" },
        { corrupt, "corrupt image data" },
        { withHeader(8000, 8000, 8), "image data ends early" },
        { withHeader(70000, 70000, 8), "image too large" },
        { withHeader(0, 3, 8), "empty image" },
        { withHeader(kWidth, kHeight, 16), "unsupported pixel format" },
        { headerLater, "IHDR does not follow CgBI" },
    };
    for (auto& c : cases) {
        std::string error;
        EXPECT_FALSE(decodeImage(c.png.data(), c.png.size(), error)) << c.reason;
        EXPECT_EQ(error, std::string("PNG (CgBI): ") + c.reason);
    }
}
