#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "UIKitTestSupport.h"
#include "host/foundation/Data.h"
#include "host/foundation/String.h"
#include "host/imageio/CGImage.h"
#include "host/imageio/ImageCodec.h"
#include "host/imageio/ImageRepresentation.h"
#include "host/render/Canvas.h"
#include "host/uikit/UIBezierPath.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIGraphicsImageRenderer.h"
#include "host/uikit/UIImage.h"

using rt::Object;
using rt::SEL;

namespace {

// A 2 x 2 image: red, half-transparent green, blue, transparent.
rt::Ref<CGImage> checker()
{
    std::vector<uint8_t> pixels { 255, 0, 0, 255, 0, 128, 0, 128, 0, 0, 255, 255, 0, 0, 0, 0 };
    return CGImage::create(2, 2, 8, CGImageAlphaInfo::PremultipliedLast, std::move(pixels));
}

NSData* dataOf(const std::vector<uint8_t>& bytes)
{
    return rt::autorelease(NSData::create(bytes));
}

}

TEST(Images, PNGRoundTripKeepsPixelsAndAlpha)
{
    rt::AutoreleasePool pool;
    auto image = UIImage::create(checker(), 2);
    Object* png = UIImagePNGRepresentation(image.get());
    ASSERT_TRUE(isData(png));
    Object* decoded = rt::send<Object*>(UIImage::classObject(), SELECTOR("imageWithData:"), png);
    ASSERT_TRUE(isImage(decoded));
    CGImage* cg = static_cast<UIImage*>(decoded)->cgImage();
    ASSERT_EQ(cg->width(), 2u);
    EXPECT_EQ(cg->pixelAt(0, 0), (RGBA8 { 255, 0, 0, 255 }));
    EXPECT_EQ(cg->pixelAt(1, 0), (RGBA8 { 0, 128, 0, 128 }));
    EXPECT_EQ(cg->pixelAt(1, 1).a, 0);
    EXPECT_EQ(static_cast<UIImage*>(decoded)->size(), (CGSize { 2, 2 })) << "data without a scale is at scale 1";
}

TEST(Images, JPEGDecodesAndFilesCarryTheirScale)
{
    rt::AutoreleasePool pool;
    std::vector<uint8_t> red(16 * 16 * 4);
    for (size_t i = 0; i < red.size(); i += 4)
        red[i] = red[i + 3] = 255;
    auto jpeg = encodeJPEG(*CGImage::create(16, 16, 64, CGImageAlphaInfo::PremultipliedLast, std::move(red)), 0.9);
    ASSERT_TRUE(jpeg);
    auto folder = std::filesystem::temp_directory_path() / "tam-uikit-images";
    std::filesystem::create_directories(folder);
    auto path = folder / "Icon@3x.jpg";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(jpeg->data()), std::streamsize(jpeg->size()));
    auto image = UIImage::createWithContentsOfFile(path);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->scale(), 3);
    RGBA8 pixel = image->cgImage()->pixelAt(5, 5);
    EXPECT_GT(pixel.r, 240);
    EXPECT_LT(pixel.g, 15);
    EXPECT_EQ(pixel.a, 255);
    EXPECT_EQ(image->size(), (CGSize { 16.0 / 3, 16.0 / 3 }));
    EXPECT_FALSE(UIImage::createWithContentsOfFile(folder / "missing.png"));
}

TEST(Images, BadDataGivesNoImage)
{
    rt::AutoreleasePool pool;
    const std::vector<std::vector<uint8_t>> inputs = {
        {},
        { 'G', 'I' },
        { 0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R' }, // a PNG cut short
        { 0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F' }, // a JPEG cut short
        { 'G', 'I', 'F', '8', '9', 'a', 1 }, // a GIF cut short
        { 'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e' },
    };
    for (auto& bytes : inputs) {
        std::string error;
        EXPECT_FALSE(decodeImage(bytes.data(), bytes.size(), error)) << bytes.size();
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(rt::send<Object*>(UIImage::classObject(), SELECTOR("imageWithData:"), dataOf(bytes)), nullptr);
    }
    EXPECT_EQ(
        rt::send<Object*>(UIImage::classObject(), SELECTOR("imageWithData:"), static_cast<Object*>(nullptr)), nullptr);
}

TEST(Images, CGImageScaleAndRenderingMode)
{
    rt::AutoreleasePool pool;
    Object* image = rt::send<Object*>(
        UIImage::classObject(), SELECTOR("imageWithCGImage:scale:orientation:"), checker().get(), 2.0, 0L);
    ASSERT_TRUE(isImage(image));
    EXPECT_EQ(rt::send<CGSize>(image, SELECTOR("size")), (CGSize { 1, 1 }));
    Object* templated = rt::send<Object*>(image, SELECTOR("imageWithRenderingMode:"), 2L);
    EXPECT_EQ(rt::send<long>(templated, SELECTOR("renderingMode")), 2);
    EXPECT_TRUE(static_cast<UIImage*>(templated)->isTemplate());
    EXPECT_EQ(static_cast<UIImage*>(templated)->cgImage(), static_cast<UIImage*>(image)->cgImage())
        << "the bitmap is shared";
    Object* symbol = rt::send<Object*>(UIImage::classObject(), SELECTOR("systemImageNamed:"), ns("gear"));
    ASSERT_TRUE(isImage(symbol));
    EXPECT_TRUE(static_cast<UIImage*>(symbol)->isTemplate());
    EXPECT_EQ(rt::send<Object*>(UIImage::classObject(), SELECTOR("systemImageNamed:"), ns("no.such.symbol")), nullptr);
}

TEST(Images, RendererDrawsIconsClippedToARoundedRectangle)
{
    rt::AutoreleasePool pool;
    // What the library does for its own icons: a 29 x 29 image drawn through a clip of radius 6.
    auto square = UIImage::create(CGImage::create(1, 1, 4, CGImageAlphaInfo::PremultipliedLast, { 0, 0, 255, 255 }));
    auto renderer = rt::adopt(rt::send<Object*>(
        UIGraphicsImageRenderer::classObject()->allocate(), SELECTOR("initWithSize:"), CGSize { 29, 29 }));
    Object* drawing = square.get();
    auto actions = rt::makeBlock<void(Object*)>([drawing](Object*) {
        Object* clip = rt::send<Object*>(UIBezierPath::classObject(),
            SELECTOR("bezierPathWithRoundedRect:cornerRadius:"), CGRectMake(0, 0, 29, 29), 6.0);
        rt::send(clip, SELECTOR("addClip"));
        rt::send(drawing, SELECTOR("drawInRect:"), CGRectMake(0, 0, 29, 29));
    });
    Object* icon = rt::send<Object*>(renderer.get(), SELECTOR("imageWithActions:"), actions.get());
    ASSERT_TRUE(isImage(icon));
    auto* image = static_cast<UIImage*>(icon);
    EXPECT_EQ(image->size(), (CGSize { 29, 29 }));
    CGImage* cg = image->cgImage();
    double scale = image->scale();
    EXPECT_EQ(cg->pixelAt(0, 0).a, 0) << "outside the rounded corner";
    EXPECT_EQ(cg->pixelAt(size_t(14.5 * scale), size_t(14.5 * scale)), (RGBA8 { 0, 0, 255, 255 }));
    EXPECT_EQ(cg->pixelAt(size_t(14.5 * scale), 0).a, 255) << "the edge between the corners is filled";
    // Drawing outside a renderer's block goes nowhere and does not crash.
    rt::send(drawing, SELECTOR("drawInRect:"), CGRectMake(0, 0, 29, 29));
}

TEST(Images, FilesAndDataDecodeOnFirstUseAndRenderersDrawOnFirstUse)
{
    rt::AutoreleasePool pool;
    auto png = encodePNG(*checker());
    ASSERT_TRUE(png);
    auto fromData = UIImage::createWithData(png->data(), png->size());
    ASSERT_TRUE(fromData);
    rt::Ref<CGImage> encoded = fromData->cgImage();
    EXPECT_EQ(fromData->size(), (CGSize { 2, 2 })) << "the size is known from the header";
    EXPECT_FALSE(encoded->hasPixels());

    // The renderer's drawing is kept and played back when its image is first read, and only
    // then is the image it draws decoded.
    auto renderer = rt::adopt(rt::send<Object*>(
        UIGraphicsImageRenderer::classObject()->allocate(), SELECTOR("initWithSize:"), CGSize { 2, 2 }));
    Object* drawing = fromData.get();
    auto actions = rt::makeBlock<void(Object*)>(
        [drawing](Object*) { rt::send(drawing, SELECTOR("drawInRect:"), CGRectMake(0, 0, 2, 2)); });
    rt::Ref<UIImage> rendered;
    {
        rt::AutoreleasePool inner;
        rendered
            = static_cast<UIImage*>(rt::send<Object*>(renderer.get(), SELECTOR("imageWithActions:"), actions.get()));
    }
    ASSERT_TRUE(isImage(rendered.get()));
    // The drawn image may go: the recording holds it.
    fromData = nullptr;
    EXPECT_FALSE(rendered->cgImage()->hasPixels());
    EXPECT_FALSE(encoded->hasPixels());
    double scale = rendered->scale();
    EXPECT_EQ(rendered->cgImage()->pixelAt(0, 0), (RGBA8 { 255, 0, 0, 255 }));
    EXPECT_EQ(rendered->cgImage()->pixelAt(std::size_t(1.5 * scale), std::size_t(1.5 * scale)).a, 0);
    EXPECT_TRUE(encoded->hasPixels());

    // Headers that read well over compressed data that does not give an image that draws nothing.
    std::vector<uint8_t> broken = *png;
    std::string text(broken.begin(), broken.end());
    std::size_t data = text.find("IDAT");
    ASSERT_NE(data, std::string::npos);
    std::fill(broken.begin() + long(data) + 4, broken.end(), 0x55);
    auto damaged = UIImage::createWithData(broken.data(), broken.size());
    ASSERT_TRUE(damaged);
    EXPECT_EQ(damaged->cgImage()->pixelAt(0, 0), RGBA8 {});
}
