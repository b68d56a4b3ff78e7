#include <gtest/gtest.h>

#include "GifModelSupport.h"
#include "host/foundation/Geometry.h"
#include "host/foundation/RunLoop.h"
#include "host/imageio/CGImage.h"

namespace {

using Indexes = std::vector<unsigned long>;

TEST(GifFrameCache, OptimalSizeFollowsTheDecodedSize)
{
    struct Case {
        const char* name;
        TestGif gif;
        unsigned long requested;
        unsigned long expected;
    } cases[] = {
        // 20 x 100 x 100 x 4 bytes, about 0.76 MB: every frame is held.
        { "small", solidAnimation(20, 100, 100), 0, 20 },
        // 6 x 1450 x 1450 x 4 bytes, about 48 MB.
        { "medium", bigScreenAnimation(6, 1450, 1450), 0, 5 },
        // 4 x 2600 x 2600 x 4 bytes, about 103 MB.
        { "large", bigScreenAnimation(4, 2600, 2600), 0, 1 },
        { "explicit", solidAnimation(10, 2, 2), 3, 3 },
        { "explicit beyond the frame count", solidAnimation(10, 2, 2), 50, 10 },
    };
    for (const auto& c : cases) {
        auto image = createImage(writeGif(c.gif), c.requested, true);
        ASSERT_TRUE(image) << c.name;
        EXPECT_EQ(message<unsigned long>(image, "frameCacheSizeOptimal"), c.expected) << c.name;
        EXPECT_EQ(message<unsigned long>(image, "frameCacheSizeCurrent"), c.expected) << c.name;
    }
}

TEST(GifFrameCache, FramesToHoldWrapAroundThePlayPositionAndKeepThePoster)
{
    TestGif posterLater = solidAnimation(10, 2, 2);
    posterLater.globalColors.clear();
    for (int i = 1; i < 10; ++i)
        posterLater.frames[i].localColors = kTestColors;
    struct Case {
        const char* name;
        TestGif gif;
        unsigned long size;
        unsigned long requested;
        Indexes expected;
    } cases[] = {
        { "wraps to the start", solidAnimation(10, 2, 2), 5, 8, { 0, 1, 2, 8, 9 } },
        { "adds the poster", solidAnimation(10, 2, 2), 3, 4, { 0, 4, 5, 6 } },
        { "poster after a dropped frame", posterLater, 2, 5, { 1, 5, 6 } },
        { "every frame", solidAnimation(4, 2, 2), 4, 3, { 0, 1, 2, 3 } },
        // Only a client setting the index directly can put it past the end.
        { "index past the end", solidAnimation(10, 2, 2), 3, 12, { 0, 1, 2 } },
    };
    for (const auto& c : cases) {
        auto image = createImage(writeGif(c.gif), c.size, true);
        ASSERT_TRUE(image) << c.name;
        message<void>(image, "setRequestedFrameIndex:", c.requested);
        EXPECT_EQ(indexesOf(message(image, "frameIndexesToCache")), c.expected) << c.name;
    }
}

TEST(GifFrameCache, FramesArriveFromTheQueueAndTheCacheIsTrimmedAroundThePlayPosition)
{
    TestGif gif = solidAnimation(10, 3, 2);
    auto image = createImage(writeGif(gif), 3, true);
    ASSERT_TRUE(image);
    // Not decoded yet: the request queues 4, 5 and 6 and answers nil.
    EXPECT_EQ(message(image, "imageLazilyCachedAtIndex:", 4ul), nullptr);
    EXPECT_EQ(indexesOf(message(image, "requestedFrameIndexes")), (Indexes { 4, 5, 6 }));
    ASSERT_NE(message(image, "serialQueue"), nullptr);
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return indexesOf(message(image, "requestedFrameIndexes")).empty(); }));
    EXPECT_EQ(indexesOf(message(image, "cachedFrameIndexes")), (Indexes { 0, 4, 5, 6 }));

    rt::Object* frame = message(image, "imageLazilyCachedAtIndex:", 4ul);
    ASSERT_NE(frame, nullptr);
    // Predrawn into a bitmap of its own, showing frame 4's picture.
    EXPECT_NE(cgImageOf(frame), nullptr);
    EXPECT_EQ(picture(*cgImageOf(frame)), expectedPictures(gif)[4]);

    // Moving on to 7 queues 7, 8 and 9, and the frames left behind are purged.
    EXPECT_EQ(message(image, "imageLazilyCachedAtIndex:", 7ul), nullptr);
    EXPECT_EQ(indexesOf(message(image, "cachedFrameIndexes")), (Indexes { 0 }));
    EXPECT_EQ(indexesOf(message(image, "requestedFrameIndexes")), (Indexes { 7, 8, 9 }));
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return message(image, "imageLazilyCachedAtIndex:", 7ul) != nullptr; }));
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return indexesOf(message(image, "requestedFrameIndexes")).empty(); }));
    EXPECT_EQ(indexesOf(message(image, "cachedFrameIndexes")), (Indexes { 0, 7, 8, 9 }));

    // Beyond the end: nil, and the play position stays.
    GifLogRecorder log;
    EXPECT_EQ(message(image, "imageLazilyCachedAtIndex:", 10ul), nullptr);
    EXPECT_EQ(message<unsigned long>(image, "requestedFrameIndex"), 7u);
    EXPECT_TRUE(log.saw("Skipping requested frame 10 beyond bounds (total frame count: 10)"));
}

TEST(GifFrameCache, UndrawnFramesWhenPredrawingIsOff)
{
    auto image = createImage(writeGif(solidAnimation(3, 2, 2)), 0, false);
    ASSERT_TRUE(image);
    EXPECT_FALSE(message<bool>(image, "isPredrawingEnabled"));
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return message(image, "imageLazilyCachedAtIndex:", 2ul) != nullptr; }));
    EXPECT_EQ(picture(*cgImageOf(message(image, "imageLazilyCachedAtIndex:", 2ul))), (Picture { "BB", "BB" }));
}

TEST(GifFrameCache, LoweringTheCapPurgesAndZeroLiftsIt)
{
    auto image = createImage(writeGif(solidAnimation(6, 2, 2)));
    ASSERT_TRUE(image);
    ASSERT_TRUE(RunLoop::main().runUntil([&] {
        message(image, "imageLazilyCachedAtIndex:", 2ul);
        return indexesOf(message(image, "cachedFrameIndexes")).size() == 6;
    }));
    message<void>(image, "setFrameCacheSizeMax:", 2ul);
    EXPECT_EQ(message<unsigned long>(image, "frameCacheSizeCurrent"), 2u);
    EXPECT_EQ(indexesOf(message(image, "cachedFrameIndexes")), (Indexes { 0, 2, 3 }));
    message<void>(image, "setFrameCacheSizeMax:", 0ul);
    EXPECT_EQ(message<unsigned long>(image, "frameCacheSizeCurrent"), 6u);
}

TEST(GifFrameCache, AnImageGoneBeforeItsFramesAreDecodedGetsNone)
{
    // Nothing may touch the image once it is gone: the sanitizers watch the queue's work.
    rt::Weak<rt::Object> gone;
    {
        auto image = createImage(writeGif(solidAnimation(8, 64, 64)), 4, true);
        ASSERT_TRUE(image);
        message(image, "imageLazilyCachedAtIndex:", 1ul);
        gone = image.get();
    }
    // Work still queued may hold it a moment longer while it decodes a frame.
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return !gone.load(); }));
    RunLoop::main().runUntil([] { return false; }, 0.1);
}

}
