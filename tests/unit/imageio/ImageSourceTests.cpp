#include <gtest/gtest.h>

#include <thread>

#include "GifFixtures.h"
#include "host/imageio/CGImageSource.h"
#include "host/imageio/UniformType.h"
#include "host/runtime/Runtime.h"

namespace {

rt::Ref<CGImageSource> sourceFor(const std::vector<std::uint8_t>& bytes)
{
    return CGImageSource::create(bytes);
}

std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return { text.begin(), text.end() };
}

}

TEST(ImageSource, RecognisesTypesByTheirSignatures)
{
    struct Case {
        std::vector<std::uint8_t> bytes;
        std::string_view type;
    } cases[] = {
        { bytesOf("GIF89a...."), kUTTypeGIF },
        { bytesOf("GIF87a...."), kUTTypeGIF },
        { { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0 }, kUTTypePNG },
        { { 0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10 }, kUTTypeJPEG },
        { bytesOf("gif89a...."), {} },
        { bytesOf("GIF8"), {} },
        { bytesOf("hello, world"), {} },
    };
    for (const Case& c : cases) {
        auto source = sourceFor(c.bytes);
        ASSERT_TRUE(source);
        EXPECT_EQ(source->type(), c.type) << std::string(c.bytes.begin(), c.bytes.end());
        EXPECT_EQ(isGIFData(c.bytes.data(), c.bytes.size()), c.type == kUTTypeGIF);
        // Only GIF data is decoded here, so no other kind offers images.
        if (c.type != kUTTypeGIF) {
            EXPECT_EQ(source->count(), 0u);
        }
    }
    EXPECT_FALSE(CGImageSource::create({}));
    EXPECT_TRUE(UTTypeConformsTo(kUTTypeGIF, kUTTypeGIF));
    EXPECT_TRUE(UTTypeConformsTo(kUTTypeGIF, kUTTypeImage));
    EXPECT_FALSE(UTTypeConformsTo(kUTTypePNG, kUTTypeGIF));
    EXPECT_FALSE(UTTypeConformsTo({}, kUTTypeGIF));
}

TEST(ImageSource, SourcesAndImagesAreRuntimeObjects)
{
    // Both classes exist before anything has been created, as the platform's do.
    ASSERT_TRUE(rt::getClass("CGImage"));
    ASSERT_TRUE(rt::getClass("CGImageSource"));
    TestGif gif { 2, 2, kTestColors, std::nullopt, { solidFrame(0, 0, 2, 2, Red) } };
    auto source = sourceFor(writeGif(gif));
    auto image = source->createImageAtIndex(0);
    EXPECT_EQ(rt::classOf(source.get()), rt::getClass("CGImageSource"));
    EXPECT_EQ(rt::classOf(image.get()), rt::getClass("CGImage"));
    EXPECT_TRUE(rt::send<bool>(image, SELECTOR("isKindOfClass:"), rt::rootClass()));
    // An image outlives its source.
    source = nullptr;
    EXPECT_EQ(picture(*image), (Picture { "RR", "RR" }));
}

TEST(ImageSource, ReportsLoopCountOnlyWhenTheFileHasOne)
{
    for (std::optional<int> loopCount : { std::optional<int>(), std::optional<int>(0), std::optional<int>(5) }) {
        TestGif gif { 2, 2, kTestColors, loopCount, { solidFrame(0, 0, 2, 2, Red) } };
        auto source = sourceFor(writeGif(gif));
        auto properties = source->properties();
        ASSERT_TRUE(properties.gif);
        EXPECT_EQ(properties.gif->canvasPixelWidth, 2u);
        EXPECT_TRUE(properties.gif->hasGlobalColorMap);
        EXPECT_EQ(properties.gif->loopCount, loopCount ? std::optional<std::uint32_t>(*loopCount) : std::nullopt);
    }
}

TEST(ImageSource, ReportsEachFramesDelayInSeconds)
{
    // Delay in hundredths (none: no graphic control extension), then the clamped and unclamped
    // delays reported.
    struct Case {
        std::optional<int> delay;
        std::optional<double> clamped, unclamped;
    } cases[] = {
        { std::nullopt, std::nullopt, std::nullopt },
        { 0, 0.1, 0.0 },
        { 1, 0.1, 0.01 },
        { 2, 0.02, 0.02 },
        { 7, 0.07, 0.07 },
        { 65535, 655.35, 655.35 },
    };
    TestGif gif { 3, 2, kTestColors, std::nullopt, {} };
    for (const Case& c : cases) {
        gif.frames.push_back(solidFrame(0, 0, 3, 2, Green));
        gif.frames.back().delay = c.delay;
    }
    auto source = sourceFor(writeGif(gif));
    ASSERT_EQ(source->count(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        auto properties = source->propertiesAtIndex(i);
        ASSERT_TRUE(properties);
        EXPECT_EQ(properties->pixelWidth, 3u);
        EXPECT_EQ(properties->pixelHeight, 2u);
        EXPECT_EQ(properties->delayTime, cases[i].clamped) << i;
        EXPECT_EQ(properties->unclampedDelayTime, cases[i].unclamped) << i;
    }
    EXPECT_FALSE(source->propertiesAtIndex(std::size(cases)));
    EXPECT_FALSE(source->createImageAtIndex(std::size(cases)));
}

TEST(ImageSource, CompositesFramesWithEachDisposalMethod)
{
    // A red screen, then a green square with a transparent corner, then a blue dot: the dot's
    // picture shows what the square's disposal left behind.
    TestFrame square = solidFrame(1, 1, 2, 2, Green);
    square.indices[0] = White;
    square.transparentIndex = White;
    struct Case {
        int disposal;
        Picture afterDot;
    } cases[] = {
        { 0, { "BRRR", "RRGR", "RGGR", "RRRR" } },
        { 1, { "BRRR", "RRGR", "RGGR", "RRRR" } },
        { 2, { "BRRR", "R..R", "R..R", "RRRR" } },
        { 3, { "BRRR", "RRRR", "RRRR", "RRRR" } },
        // Undefined methods leave the frame in place.
        { 5, { "BRRR", "RRGR", "RGGR", "RRRR" } },
    };
    for (const Case& c : cases) {
        square.disposal = c.disposal;
        TestGif gif { 4, 4, kTestColors, std::nullopt,
            { solidFrame(0, 0, 4, 4, Red), square, solidFrame(0, 0, 1, 1, Blue) } };
        auto source = sourceFor(writeGif(gif));
        ASSERT_EQ(source->count(), 3u);
        EXPECT_EQ(pictureAt(*source, 0), (Picture { "RRRR", "RRRR", "RRRR", "RRRR" }));
        EXPECT_EQ(pictureAt(*source, 1), (Picture { "RRRR", "RRGR", "RGGR", "RRRR" })) << c.disposal;
        EXPECT_EQ(pictureAt(*source, 2), c.afterDot) << c.disposal;
    }
}

TEST(ImageSource, FirstFrameDisposalStartsFromATransparentScreen)
{
    for (int disposal : { 2, 3 }) {
        TestFrame first = solidFrame(0, 0, 2, 2, Red);
        first.disposal = disposal;
        TestGif gif { 3, 2, kTestColors, std::nullopt, { first, solidFrame(2, 1, 1, 1, Blue) } };
        auto source = sourceFor(writeGif(gif));
        EXPECT_EQ(pictureAt(*source, 0), (Picture { "RR.", "RR." }));
        EXPECT_EQ(pictureAt(*source, 1), (Picture { "...", "..B" })) << disposal;
    }
}

TEST(ImageSource, UsesLocalColorTablesAndUndoesInterlacing)
{
    TestFrame frame;
    frame.width = 2, frame.height = 11, frame.interlaced = true;
    frame.localColors = { { 0, 0, 255 }, { 255, 255, 255 } };
    // Each row is blue or white by a pattern no interlacing pass repeats.
    for (int y = 0; y < frame.height; ++y)
        frame.indices.insert(frame.indices.end(), 2, (y * y + y / 3) % 2);
    TestGif gif { 2, 11, kTestColors, std::nullopt, { frame } };
    auto source = sourceFor(writeGif(gif));
    auto image = source->createImageAtIndex(0);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->alphaInfo(), CGImageAlphaInfo::PremultipliedLast);
    EXPECT_EQ(image->bytesPerRow(), 8u);
    Picture rows = picture(*image);
    for (int y = 0; y < frame.height; ++y)
        EXPECT_EQ(rows[y], (y * y + y / 3) % 2 ? "WW" : "BB") << y;
}

namespace {

// Thirteen frames mixing every disposal, transparency, a full-screen clear and opaque
// full-screen frames, so that both kinds of key frame occur, and one frame that only looks like
// a key frame.
TestGif mixedAnimation()
{
    TestGif gif { 6, 5, kTestColors, 0, {} };
    auto add = [&](TestFrame frame, int disposal, int transparent = -1) {
        frame.disposal = disposal;
        frame.transparentIndex = transparent;
        frame.delay = 4;
        gif.frames.push_back(frame);
    };
    TestFrame speckled = solidFrame(0, 0, 6, 5, Green);
    for (std::size_t i = 0; i < speckled.indices.size(); i += 3)
        speckled.indices[i] = White;
    add(solidFrame(1, 1, 3, 3, Red), 1);
    add(solidFrame(2, 0, 2, 2, Blue), 3);
    add(speckled, 1, White);
    add(solidFrame(0, 0, 1, 5, Red), 2);
    add(solidFrame(0, 0, 6, 5, Blue), 2);
    add(solidFrame(3, 3, 3, 2, Green), 1);
    add(solidFrame(4, 0, 2, 5, White), 3);
    // Opaque and full-screen, but what it restores depends on the frames before it.
    add(solidFrame(0, 0, 6, 5, Red), 3);
    add(speckled, 3, White);
    add(solidFrame(1, 2, 4, 1, Blue), 0);
    add(solidFrame(0, 0, 6, 5, White), 1);
    add(solidFrame(5, 4, 1, 1, Red), 2);
    add(solidFrame(0, 0, 2, 2, Green), 1);
    return gif;
}

}

TEST(ImageSource, AnyAccessOrderGivesThePicturesOfPlainCompositing)
{
    TestGif gif = mixedAnimation();
    auto bytes = writeGif(gif);
    std::vector<Picture> expected = expectedPictures(gif);
    EXPECT_EQ(expected[3], (Picture { "RGG.GG", "RGGRGG", "RGGRGG", "RGGRGG", "RGG.GG" }));

    std::vector<std::vector<std::size_t>> orders = {
        { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 },
        { 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0 },
        { 6, 6, 2, 9, 4, 11, 0, 7, 3, 12, 10, 1, 5, 8 },
        { 5, 8, 9, 10, 11, 12, 0, 1, 2, 3, 4 },
    };
    for (const auto& order : orders) {
        auto source = sourceFor(bytes);
        ASSERT_EQ(source->count(), expected.size());
        for (std::size_t index : order)
            EXPECT_EQ(pictureAt(*source, index), expected[index]) << "frame " << index;
    }
}

TEST(ImageSource, ServesSeveralThreadsAtOnce)
{
    TestGif gif = mixedAnimation();
    std::vector<Picture> expected = expectedPictures(gif);
    auto shared = sourceFor(writeGif(gif));
    auto play = [&](bool backwards) {
        for (int round = 0; round < 5; ++round) {
            for (std::size_t i = 0; i < expected.size(); ++i) {
                std::size_t index = backwards ? expected.size() - 1 - i : i;
                EXPECT_EQ(pictureAt(*shared, index), expected[index]);
            }
        }
    };
    std::thread forwards(play, false), backwards(play, true);
    forwards.join();
    backwards.join();
}
