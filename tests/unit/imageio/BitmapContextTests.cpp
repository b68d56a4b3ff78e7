#include <gtest/gtest.h>

#include <cmath>

#include "host/imageio/CGBitmapContext.h"

namespace {

const CGColorSpace& deviceRGB()
{
    static CGColorSpace space = *CGColorSpace::createDeviceRGB();
    return space;
}

// An image whose pixels are given as premultiplied RGBA, rows top first.
rt::Ref<CGImage> imageOf(std::size_t width, std::size_t height, std::vector<RGBA8> pixels)
{
    std::vector<std::uint8_t> bytes;
    for (RGBA8 p : pixels)
        bytes.insert(bytes.end(), { p.r, p.g, p.b, p.a });
    return CGImage::create(width, height, width * 4, CGImageAlphaInfo::PremultipliedLast, std::move(bytes));
}

std::unique_ptr<CGBitmapContext> context(
    std::size_t width, std::size_t height, CGImageAlphaInfo alpha = CGImageAlphaInfo::PremultipliedLast)
{
    return CGBitmapContext::create(width, height, 8, 0, deviceRGB(), alpha);
}

constexpr RGBA8 red { 255, 0, 0, 255 }, green { 0, 255, 0, 255 }, blue { 0, 0, 255, 255 }, white { 255, 255, 255, 255 };
constexpr RGBA8 clear {};

}

TEST(BitmapContext, RefusesParametersCoreGraphicsRefuses)
{
    struct Case {
        std::size_t width, height, bitsPerComponent, bytesPerRow;
        CGImageAlphaInfo alpha;
        bool created;
    } cases[] = {
        { 4, 3, 8, 0, CGImageAlphaInfo::PremultipliedLast, true },
        { 4, 3, 8, 20, CGImageAlphaInfo::PremultipliedFirst, true },
        { 4, 3, 8, 16, CGImageAlphaInfo::NoneSkipFirst, true },
        { 4, 3, 8, 16, CGImageAlphaInfo::NoneSkipLast, true },
        { 4, 3, 8, 15, CGImageAlphaInfo::PremultipliedLast, false },
        { 4, 3, 16, 0, CGImageAlphaInfo::PremultipliedLast, false },
        { 0, 3, 8, 0, CGImageAlphaInfo::PremultipliedLast, false },
        { 4, 0, 8, 0, CGImageAlphaInfo::PremultipliedLast, false },
        { 4, 3, 8, 0, CGImageAlphaInfo::Last, false },
        { 4, 3, 8, 0, CGImageAlphaInfo::First, false },
        { 4, 3, 8, 0, CGImageAlphaInfo::None, false },
        { 4, 3, 8, 0, CGImageAlphaInfo::Only, false },
        { 1u << 20, 1u << 20, 8, 0, CGImageAlphaInfo::PremultipliedLast, false },
        { SIZE_MAX / 2, 1, 8, 0, CGImageAlphaInfo::PremultipliedLast, false },
    };
    for (const Case& c : cases) {
        auto created
            = CGBitmapContext::create(c.width, c.height, c.bitsPerComponent, c.bytesPerRow, deviceRGB(), c.alpha);
        EXPECT_EQ(bool(created), c.created) << c.width << "x" << c.height << " bpr " << c.bytesPerRow;
        if (created) {
            EXPECT_EQ(created->bytesPerRow(), c.bytesPerRow ? c.bytesPerRow : 16);
        }
    }
}

TEST(BitmapContext, StoresEachLayoutInItsByteOrder)
{
    RGBA8 halfRed { 128, 0, 0, 128 };
    auto source = imageOf(2, 1, { red, halfRed });
    struct Case {
        CGImageAlphaInfo alpha;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        { CGImageAlphaInfo::PremultipliedLast, { 255, 0, 0, 255, 128, 0, 0, 128 } },
        { CGImageAlphaInfo::PremultipliedFirst, { 255, 255, 0, 0, 128, 128, 0, 0 } },
        // Without alpha the context is opaque black to begin with.
        { CGImageAlphaInfo::NoneSkipLast, { 255, 0, 0, 255, 128, 0, 0, 255 } },
        { CGImageAlphaInfo::NoneSkipFirst, { 255, 255, 0, 0, 255, 128, 0, 0 } },
    };
    for (const Case& c : cases) {
        auto bitmap = context(2, 1, c.alpha);
        bitmap->drawImage(CGRectMake(0, 0, 2, 1), *source);
        EXPECT_EQ(std::vector<std::uint8_t>(bitmap->data(), bitmap->data() + 8), c.bytes) << int(c.alpha);
        auto image = bitmap->makeImage();
        EXPECT_EQ(image->alphaInfo(), c.alpha);
        EXPECT_EQ(image->pixelAt(0, 0), red);
    }
}

TEST(BitmapContext, BlendsSourceOverWhatIsThere)
{
    auto bitmap = context(1, 1);
    bitmap->drawImage(CGRectMake(0, 0, 1, 1), *imageOf(1, 1, { blue }));
    bitmap->drawImage(CGRectMake(0, 0, 1, 1), *imageOf(1, 1, { { 0, 128, 0, 128 } }));
    EXPECT_EQ(bitmap->makeImage()->pixelAt(0, 0), (RGBA8 { 0, 128, 127, 255 }));
    // Fully transparent pixels leave the destination alone.
    bitmap->drawImage(CGRectMake(0, 0, 1, 1), *imageOf(1, 1, { clear }));
    EXPECT_EQ(bitmap->makeImage()->pixelAt(0, 0), (RGBA8 { 0, 128, 127, 255 }));
}

TEST(BitmapContext, DrawsUprightIntoRectanglesFromTheBottomLeft)
{
    auto quad = imageOf(2, 2, { red, green, blue, white });
    auto bitmap = context(4, 4);
    // The lower-left quarter in CoreGraphics coordinates is the last two stored rows.
    bitmap->drawImage(CGRectMake(0, 0, 2, 2), *quad);
    auto image = bitmap->makeImage();
    EXPECT_EQ(image->pixelAt(0, 2), red);
    EXPECT_EQ(image->pixelAt(1, 2), green);
    EXPECT_EQ(image->pixelAt(0, 3), blue);
    EXPECT_EQ(image->pixelAt(1, 3), white);
    EXPECT_EQ(image->pixelAt(0, 0), clear);
    EXPECT_EQ(image->pixelAt(2, 3), clear);

    // Scaled up to the whole context, each pixel becomes a 2x2 block.
    bitmap->drawImage(CGRectMake(0, 0, 4, 4), *quad);
    auto scaled = bitmap->makeImage();
    EXPECT_EQ(scaled->pixelAt(1, 1), red);
    EXPECT_EQ(scaled->pixelAt(2, 1), green);
    EXPECT_EQ(scaled->pixelAt(1, 2), blue);
    EXPECT_EQ(scaled->pixelAt(3, 3), white);
    // The earlier image kept its own copy of the pixels.
    EXPECT_EQ(image->pixelAt(0, 0), clear);
}

TEST(BitmapContext, ClipsAndIgnoresDegenerateRectangles)
{
    auto quad = imageOf(2, 2, { red, green, blue, white });
    auto bitmap = context(2, 2);
    double nan = std::nan("");
    for (CGRect rect : { CGRectMake(0, 0, 0, 2), CGRectMake(nan, 0, 2, 2), CGRectMake(0, 0, INFINITY, 2),
             CGRectMake(5, 5, 2, 2), CGRectMake(-1e300, -1e300, 1, 1) })
        bitmap->drawImage(rect, *quad);
    EXPECT_EQ(bitmap->makeImage()->pixelAt(0, 0), clear);
    EXPECT_EQ(bitmap->makeImage()->pixelAt(1, 1), clear);

    // Hanging off the top-right corner, only the image's lower-left pixel lands, in the
    // context's top-right pixel. A negative size counts from the other edge.
    bitmap->drawImage(CGRectMake(3, 3, -2, -2), *quad);
    auto image = bitmap->makeImage();
    EXPECT_EQ(image->pixelAt(1, 0), blue);
    EXPECT_EQ(image->pixelAt(0, 0), clear);
    EXPECT_EQ(image->pixelAt(1, 1), clear);
}

TEST(BitmapContext, SharedPixelsAreCopiedBeforeEitherSideChanges)
{
    // A fresh context of the image's own layout takes the image's pixels, and an image made
    // from it shares them: drawing again must change neither earlier image.
    auto source = imageOf(2, 1, { red, clear });
    auto drawn = context(2, 1);
    drawn->drawImage(CGRectMake(0, 0, 2, 1), *source);
    auto first = drawn->makeImage();
    EXPECT_EQ(first->data(), source->data()) << "the pixels are shared, not copied";
    drawn->drawImage(CGRectMake(0, 0, 2, 1), *imageOf(2, 1, { green, blue }));
    auto second = drawn->makeImage();
    EXPECT_EQ(source->pixelAt(0, 0), red);
    EXPECT_EQ(first->pixelAt(1, 0), clear);
    EXPECT_EQ(second->pixelAt(0, 0), green);
    EXPECT_EQ(second->pixelAt(1, 0), blue);

    // Over a context already drawn into, translucent pixels blend as ever.
    auto half = imageOf(2, 1, { RGBA8 { 0, 0, 128, 128 }, clear });
    drawn->drawImage(CGRectMake(0, 0, 2, 1), *half);
    EXPECT_EQ(drawn->makeImage()->pixelAt(0, 0), (RGBA8 { 0, 127, 128, 255 }));
    EXPECT_EQ(second->pixelAt(0, 0), green);
}
