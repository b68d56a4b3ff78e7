#include <gtest/gtest.h>

#include "GifModelSupport.h"
#include "host/imageio/CGImageSource.h"

// GIFs shaped by hand to make a player do as much work as possible for few bytes. Each must end
// within the source's bounds: refused through the model's own failure path, or decoded with
// work proportional to the frames passed. Work is counted in decoded pixels, never timed.

namespace {

using Bytes = std::vector<std::uint8_t>;

CGImageSource* sourceOf(rt::Object* image)
{
    return static_cast<CGImageSource*>(message(image, "imageSource"));
}

// A logical screen of the given size with four global colours and `frames` frames of one
// pixel each, with the given disposal: a few bytes per frame, whatever the screen.
Bytes tinyFramesOnAScreen(int width, int height, int frames, int disposal = 0)
{
    TestGif gif = bigScreenAnimation(frames, width, height);
    for (auto& frame : gif.frames)
        frame.disposal = disposal;
    return writeGif(gif);
}

// A 16 x 16 screen whose only frame declares 65535 x 65535 pixels, interlaced, so that its
// visible rows come last; its data holds a single red pixel.
Bytes hugeFrameOnASmallScreen()
{
    Bytes gif = writeGif({ 16, 16, kTestColors, std::nullopt, {} });
    gif.pop_back(); // the trailer
    gif.insert(gif.end(), { 0x2C, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x40, 2, 2, 0x44, 0x01, 0, 0x3B });
    return gif;
}

// A 1 x 2 screen: a red frame, then `count` frames that cover the screen opaquely and so look
// like key frames, but whose data holds an impossible code after the first (green) row.
Bytes partlyDecodingFullFrames(int count)
{
    Bytes gif = writeGif({ 1, 2, kTestColors, std::nullopt, { solidFrame(0, 0, 1, 2, Red) } });
    gif.pop_back();
    for (int i = 0; i < count; ++i) {
        // Clear (4), 1, clear, 7 in three-bit codes.
        gif.insert(gif.end(), { 0x2C, 0, 0, 0, 0, 1, 0, 2, 0, 0, 2, 2, 0x0C, 0x0F, 0 });
    }
    gif.push_back(0x3B);
    return gif;
}

}

TEST(GifHostileShapes, ScreensAndFramesBeyondTheBoundAreDroppedUndecoded)
{
    struct Case {
        const char* name;
        Bytes bytes;
        unsigned long frames;
    } cases[] = {
        { "8192 x 8192 screen, 200 tiny frames", tinyFramesOnAScreen(8192, 8192, 200), 200 },
        { "4096 x 4096 screen, 300 tiny frames", tinyFramesOnAScreen(4096, 4096, 300), 300 },
        { "8192 x 8192 screen, frames restoring to previous", tinyFramesOnAScreen(8192, 8192, 20, 3), 20 },
        { "a frame of 65535 x 65535 on a small screen", hugeFrameOnASmallScreen(), 1 },
    };
    for (const auto& c : cases) {
        GifLogRecorder log(3);
        auto image = createImage(c.bytes);
        ASSERT_TRUE(image) << c.name;
        EXPECT_EQ(message<unsigned long>(image, "frameCount"), c.frames) << c.name;
        EXPECT_EQ(message(image, "posterImage"), nullptr) << c.name;
        EXPECT_TRUE(log.saw("Dropping frame 0 because failed to `CGImageSourceCreateImageAtIndex`")) << c.name;
        EXPECT_EQ(message(image, "imageLazilyCachedAtIndex:", 0ul), nullptr) << c.name;
        EXPECT_EQ(sourceOf(image)->decodedPixels(), 0u) << c.name;
    }
}

TEST(GifHostileShapes, CreationReadsTheStructureAndTheScreenIsMadeWhenFirstShown)
{
    // The largest screen within the bound, with 200 one-pixel frames.
    auto image = createImage(tinyFramesOnAScreen(4096, 2048, 200));
    ASSERT_TRUE(image);
    rt::Object* poster = message(image, "posterImage");
    ASSERT_TRUE(poster);
    EXPECT_EQ(message<CGSize>(image, "size"), CGSizeMake(4096, 2048));
    // Each frame's first row is decoded to learn that it decodes at all; nothing is composited.
    EXPECT_EQ(sourceOf(image)->decodedPixels(), 200u);
    EXPECT_FALSE(cgImageOf(poster)->hasPixels());
    EXPECT_EQ(cgImageOf(poster)->pixelAt(0, 0), (RGBA8 { 255, 0, 0, 255 }));
    EXPECT_EQ(cgImageOf(poster)->pixelAt(1, 0), RGBA8 {});
    EXPECT_EQ(sourceOf(image)->decodedPixels(), 201u);
}

TEST(GifHostileShapes, PlayingCostsWorkInProportionToTheFramesPassed)
{
    // Restoring to previous saves and puts back each frame's area on a screen within the bound.
    TestGif restoring { 1024, 1024, kTestColors, std::nullopt, {} };
    for (int i = 0; i < 20; ++i) {
        restoring.frames.push_back(solidFrame(i * 40, i * 30, 64, 64, std::uint8_t(i % 4)));
        restoring.frames.back().disposal = 3;
    }
    struct Case {
        const char* name;
        Bytes bytes;
        unsigned long frames;
        // The pixels of every frame decoded once.
        std::uint64_t pixelsOfEveryFrame;
    } cases[] = {
        { "full frames that decode partly", partlyDecodingFullFrames(100), 101, 2 + 100 * 1 },
        { "frames restoring to previous", writeGif(restoring), 20, 20 * 64 * 64 },
    };
    for (const auto& c : cases) {
        auto image = createImage(c.bytes, 0, true);
        ASSERT_TRUE(image) << c.name;
        ASSERT_EQ(message<unsigned long>(image, "frameCount"), c.frames) << c.name;
        std::vector<rt::Ref<rt::Object>> frames;
        for (unsigned long i = 0; i < c.frames; ++i) {
            frames.push_back(fetchFrame(image.get(), i));
            ASSERT_TRUE(frames.back()) << c.name << ", frame " << i;
        }
        // Read only now, so that nothing races with the decoding queue: the poster, made at
        // creation, composites the first frame once more.
        for (const auto& frame : frames)
            (void)cgImageOf(frame.get())->data();
        // Every frame decoded about once, and its first row twice more (when the model is
        // created and when the queue makes its image); starting over for each frame would
        // cost many times that.
        EXPECT_LE(sourceOf(image)->decodedPixels(), 4 * c.pixelsOfEveryFrame) << c.name;
    }

    // Asked for out of order, the compositor checks each would-be key frame once on its own and
    // still draws the frames it passes from the latest real one.
    auto source = CGImageSource::create(partlyDecodingFullFrames(100));
    EXPECT_EQ(picture(*source->createImageAtIndex(100)), (Picture { "G", "R" }));
    EXPECT_EQ(picture(*source->createImageAtIndex(99)), (Picture { "G", "R" }));
    EXPECT_LE(source->decodedPixels(), 3u * 2 * 101);
}
