#include <gtest/gtest.h>

#include <thread>

#include "GifModelSupport.h"
#include "host/foundation/NotificationCenter.h"
#include "host/foundation/RunLoop.h"

namespace {

void postMemoryWarning()
{
    NotificationCenter::defaultCenter().post(UIApplicationDidReceiveMemoryWarningNotification);
}

unsigned long internalCap(rt::Object* image)
{
    return message<unsigned long>(image, "frameCacheSizeMaxInternal");
}

// Ten small frames, all held; every frame decoded and cached.
rt::Ref<rt::Object> fullyCachedImage()
{
    auto image = createImage(writeGif(solidAnimation(10, 2, 2)));
    EXPECT_TRUE(RunLoop::main().runUntil([&] {
        message(image, "imageLazilyCachedAtIndex:", 3ul);
        return indexesOf(message(image, "cachedFrameIndexes")).size() == 10;
    }));
    return image;
}

TEST(GifMemoryWarning, DropsToOneFrameThenGrowsToTwoThenLiftsTheCap)
{
    auto image = fullyCachedImage();
    GifLogRecorder log(4);
    postMemoryWarning();
    EXPECT_EQ(message<unsigned long>(image, "memoryWarningCount"), 1u);
    EXPECT_EQ(internalCap(image), 1u);
    EXPECT_EQ(message<unsigned long>(image, "frameCacheSizeCurrent"), 1u);
    // The play position and the poster stay; everything else is let go at once.
    EXPECT_EQ(indexesOf(message(image, "cachedFrameIndexes")), (std::vector<unsigned long> { 0, 3 }));
    EXPECT_TRUE(log.saw("Attempt setting frame cache size max to 1 (previous was 0) after memory warning #1"));

    RunLoop::main().advance(1.9);
    EXPECT_EQ(internalCap(image), 1u);
    RunLoop::main().advance(0.2);
    EXPECT_EQ(internalCap(image), 2u);
    EXPECT_TRUE(log.saw("Grew frame cache size max to 2 after memory warning"));
    // The grow ran at 2.0 s and the reset follows 3.0 s later.
    RunLoop::main().advance(2.7);
    EXPECT_EQ(internalCap(image), 2u);
    RunLoop::main().advance(0.4);
    EXPECT_EQ(internalCap(image), 0u);
    EXPECT_TRUE(log.saw("Reset frame cache size max (current frame cache size: 10)"));
}

TEST(GifMemoryWarning, AFourthWarningLeavesTheCapAtOneForGood)
{
    auto image = fullyCachedImage();
    for (int warning = 1; warning <= 3; ++warning) {
        postMemoryWarning();
        // Each warning puts off the grow the one before scheduled.
        RunLoop::main().advance(1.0);
        EXPECT_EQ(internalCap(image), 1u) << "warning " << warning;
    }
    postMemoryWarning();
    EXPECT_EQ(message<unsigned long>(image, "memoryWarningCount"), 4u);
    RunLoop::main().advance(30);
    EXPECT_EQ(internalCap(image), 1u);
    EXPECT_EQ(message<unsigned long>(image, "frameCacheSizeCurrent"), 1u);
}

TEST(GifMemoryWarning, ADeadImageTakesItsDelayedCallsWithIt)
{
    rt::Weak<rt::Object> proxy;
    {
        auto image = createImage(writeGif(solidAnimation(3, 2, 2)));
        ASSERT_TRUE(image);
        proxy = message(image, "weakProxy");
        postMemoryWarning();
    }
    // The pending grow held the proxy; the image's end cancelled it.
    EXPECT_FALSE(proxy.load());
    RunLoop::main().advance(10);
}

TEST(GifMemoryWarningDeathTest, RequiresTheMainThread)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto image = createImage(writeGif(solidAnimation(2, 2, 2)));
    ASSERT_TRUE(image);
    EXPECT_DEATH(std::thread(postMemoryWarning).join(), "Received memory warning on non-main thread");
}

}
