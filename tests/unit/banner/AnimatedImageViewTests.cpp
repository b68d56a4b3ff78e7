#include <gtest/gtest.h>

#include <cstdint>

#include "GifModelSupport.h"
#include "host/foundation/Log.h"
#include "host/foundation/MediaTime.h"
#include "host/foundation/RunLoop.h"
#include "host/foundation/String.h"
#include "host/uikit/CADisplayLink.h"
#include "host/uikit/UIImage.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UIWindow.h"
#include "tamarind/banner/GifClasses.h"

namespace {

// Frames with these delays, in hundredths of a second, and this loop count.
std::vector<std::uint8_t> animationWithDelays(const std::vector<int>& delays, std::optional<int> loops = 0)
{
    TestGif gif = solidAnimation(static_cast<int>(delays.size()), 4, 4);
    gif.loopCount = loops;
    for (size_t i = 0; i < delays.size(); ++i)
        gif.frames[i].delay = delays[i];
    return writeGif(gif);
}

// An image whose every frame is decoded already, so playback never waits for the decoding queue.
rt::Ref<rt::Object> decodedImage(const std::vector<std::uint8_t>& bytes)
{
    auto image = createImage(bytes);
    unsigned long frames = message<unsigned long>(image, "frameCount");
    EXPECT_TRUE(RunLoop::main().runUntil([&] {
        message(image, "imageLazilyCachedAtIndex:", 0ul);
        return indexesOf(message(image, "cachedFrameIndexes")).size() == frames;
    }));
    return image;
}

class AnimatedImageView : public ::testing::Test {
protected:
    void SetUp() override
    {
        tamarind::registerGifClasses();
        m_window = UIWindow::create(UIScreen::mainScreen()->bounds());
        m_window->makeKeyAndVisible();
        m_view = rt::newObject(rt::getClass("FLAnimatedImageView"));
        message<void>(m_view, "setFrame:", CGRectMake(0, 0, 320, 100));
    }
    void TearDown() override
    {
        message<void>(m_view, "removeFromSuperview");
        m_view = nullptr;
        m_window = nullptr;
        RunLoop::main().runUntilIdle();
    }

    void show() { message<void>(m_window, "addSubview:", m_view); }
    CADisplayLink* link() const
    {
        return rt::dynamicCast<CADisplayLink>(message(m_view, "displayLink"), CADisplayLink::classObject());
    }
    // One refresh whose next frame is `seconds` away, as the display link reports it.
    void refresh(double seconds)
    {
        auto fake = CADisplayLink::create(nullptr, nullptr);
        fake->setTargetTimestamp(CACurrentMediaTime() + seconds);
        message<void>(m_view, "displayDidRefresh:", static_cast<rt::Object*>(fake.get()));
    }
    unsigned long frameIndex() const { return message<unsigned long>(m_view, "currentFrameIndex"); }

    rt::Ref<UIWindow> m_window;
    rt::Ref<rt::Object> m_view;
};

TEST_F(AnimatedImageView, AsksTheDisplayLinkForTheRateTheDelaysNeed)
{
    struct Case {
        std::vector<int> delays;
        double divisor;
        long framesPerSecond;
    } cases[] = { { { 2, 3 }, 0.01, 100 }, { { 10, 5, 15 }, 0.05, 20 }, { { 10, 10, 10 }, 0.1, 10 } };
    show();
    for (const auto& c : cases) {
        auto image = createImage(animationWithDelays(c.delays));
        message<void>(m_view, "setAnimatedImage:", image.get());
        EXPECT_NEAR(message<double>(m_view, "frameDelayGreatestCommonDivisor"), c.divisor, 1e-9);
        ASSERT_TRUE(link());
        EXPECT_EQ(link()->preferredFramesPerSecond(), c.framesPerSecond);
        EXPECT_FALSE(link()->isPaused());
    }
}

TEST_F(AnimatedImageView, RefreshPassesOverEveryFrameTheAddedTimeCovers)
{
    auto image = decodedImage(animationWithDelays({ 10, 10, 10, 10, 10 }));
    message<void>(m_view, "setAnimatedImage:", image.get());
    show();
    refresh(0.25);
    EXPECT_EQ(frameIndex(), 2u);
    EXPECT_NEAR(message<double>(m_view, "accumulator"), 0.05, 1e-6);
    EXPECT_TRUE(message<bool>(m_view, "needsDisplayWhenImageBecomesAvailable"));
    refresh(0.04);
    EXPECT_EQ(frameIndex(), 2u);
    EXPECT_NEAR(message<double>(m_view, "accumulator"), 0.09, 1e-6);
}

TEST_F(AnimatedImageView, WaitsWithoutAdvancingForAFrameNotYetDecoded)
{
    // Only the poster is decoded when the image is made; nothing else arrives until the run loop
    // delivers the decoding queue's work.
    auto image = createImage(animationWithDelays({ 10, 10, 10 }));
    message<void>(m_view, "setAnimatedImage:", image.get());
    show();
    GifLogRecorder log(4);
    refresh(0.15);
    ASSERT_EQ(frameIndex(), 1u);
    refresh(0.3);
    refresh(0.3);
    EXPECT_EQ(frameIndex(), 1u);
    EXPECT_NEAR(message<double>(m_view, "accumulator"), 0.05, 1e-6);
    EXPECT_TRUE(log.saw("Waiting for frame 1 for animated image"));
}

TEST_F(AnimatedImageView, LoopCountTwoPlaysTwoLoopsCallsTheCompletionAndStops)
{
    auto image = decodedImage(animationWithDelays({ 10, 10, 10 }, 2));
    std::vector<unsigned long> calls;
    auto completion = rt::makeBlock<void(unsigned long)>([&](unsigned long left) { calls.push_back(left); });
    message<void>(m_view, "setLoopCompletionBlock:", static_cast<rt::Object*>(completion.get()));
    message<void>(m_view, "setAnimatedImage:", image.get());
    show();
    EXPECT_EQ(message<unsigned long>(m_view, "loopCountdown"), 2u);
    RunLoop::main().advance(3);
    EXPECT_EQ(calls, (std::vector<unsigned long> { 1, 0 }));
    EXPECT_FALSE(message<bool>(m_view, "isAnimating"));
    EXPECT_TRUE(link()->isPaused());
    // It stopped on the last frame's turn to wrap, with the last frame on screen.
    EXPECT_EQ(frameIndex(), 3u);
    EXPECT_EQ(message(m_view, "currentFrame"), message(image, "imageLazilyCachedAtIndex:", 2ul));
    RunLoop::main().advance(1);
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(AnimatedImageView, LoopCountZeroPlaysForEver)
{
    auto image = decodedImage(animationWithDelays({ 10, 10 }, 0));
    std::vector<unsigned long> calls;
    auto completion = rt::makeBlock<void(unsigned long)>([&](unsigned long left) { calls.push_back(left); });
    message<void>(m_view, "setLoopCompletionBlock:", static_cast<rt::Object*>(completion.get()));
    message<void>(m_view, "setAnimatedImage:", image.get());
    show();
    RunLoop::main().advance(2.05);
    ASSERT_GE(calls.size(), 3u);
    for (size_t i = 0; i < calls.size(); ++i)
        EXPECT_EQ(calls[i], UINT64_MAX - 1 - i);
    EXPECT_TRUE(message<bool>(m_view, "isAnimating"));
}

TEST_F(AnimatedImageView, StartsAndStopsAsItComesAndGoesFromTheScreen)
{
    auto image = createImage(animationWithDelays({ 10, 10 }));
    message<void>(m_view, "setAnimatedImage:", image.get());
    EXPECT_FALSE(message<bool>(m_view, "isAnimating"));
    show();
    EXPECT_TRUE(message<bool>(m_view, "isAnimating"));
    struct Step {
        const char* what;
        std::function<void(rt::Object*)> change;
        bool animating;
    } steps[] = {
        { "alpha 0", [](rt::Object* v) { message<void>(v, "setAlpha:", 0.0); }, false },
        { "alpha 0.5", [](rt::Object* v) { message<void>(v, "setAlpha:", 0.5); }, true },
        { "hidden", [](rt::Object* v) { message<void>(v, "setHidden:", true); }, false },
        { "shown", [](rt::Object* v) { message<void>(v, "setHidden:", false); }, true },
        { "removed", [](rt::Object* v) { message<void>(v, "removeFromSuperview"); }, false },
    };
    for (const auto& step : steps) {
        step.change(m_view.get());
        EXPECT_EQ(message<bool>(m_view, "isAnimating"), step.animating) << step.what;
        EXPECT_EQ(link()->isPaused(), !step.animating) << step.what;
    }
}

TEST_F(AnimatedImageView, StillImageClearsTheAnimationAndStopsIt)
{
    auto image = createImage(animationWithDelays({ 10, 10 }));
    message<void>(m_view, "setAnimatedImage:", image.get());
    show();
    ASSERT_TRUE(message<bool>(m_view, "isAnimating"));
    rt::Object* poster = message(image, "posterImage");
    message<void>(m_view, "setImage:", poster);
    EXPECT_EQ(message(m_view, "animatedImage"), nullptr);
    EXPECT_TRUE(link()->isPaused());
    EXPECT_FALSE(message<bool>(m_view, "isAnimating"));
    EXPECT_EQ(message(m_view, "image"), poster);
}

TEST_F(AnimatedImageView, OnlyTheTwoRunLoopModesAreAccepted)
{
    rt::Object* common = message(m_view, "runLoopMode");
    EXPECT_EQ(toStdString(common), "kCFRunLoopCommonModes");
    LogCapture capture;
    message<void>(m_view, "setRunLoopMode:", static_cast<rt::Object*>(ns("kCFRunLoopDefaultMode")));
    EXPECT_EQ(toStdString(message(m_view, "runLoopMode")), "kCFRunLoopDefaultMode");
    message<void>(m_view, "setRunLoopMode:", static_cast<rt::Object*>(ns("UITrackingRunLoopMode")));
    EXPECT_EQ(toStdString(message(m_view, "runLoopMode")), "kCFRunLoopCommonModes");
    auto lines = capture.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("setRunLoopMode:"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1], "Invalid run loop mode: UITrackingRunLoopMode");
}

TEST_F(AnimatedImageView, DroppedLastFrameEndsTheLoopInsteadOfRunningPastTheEnd)
{
    // The last frame has neither a local nor a global colour table, so it cannot be decoded.
    TestGif gif = solidAnimation(3, 4, 4);
    gif.globalColors.clear();
    gif.frames[0].localColors = kTestColors;
    gif.frames[1].localColors = kTestColors;
    gif.loopCount = 0;
    auto image = createImage(writeGif(gif));
    ASSERT_FALSE(delayOf(image, 2));
    ASSERT_TRUE(RunLoop::main().runUntil([&] {
        message(image, "imageLazilyCachedAtIndex:", 0ul);
        return indexesOf(message(image, "cachedFrameIndexes")).size() == 2;
    }));
    message<void>(m_view, "setAnimatedImage:", image.get());
    show();
    refresh(0.25);
    ASSERT_EQ(frameIndex(), 2u);
    refresh(0);
    EXPECT_EQ(frameIndex(), 0u);
    EXPECT_EQ(message<unsigned long>(m_view, "loopCountdown"), UINT64_MAX - 1);
}

}
