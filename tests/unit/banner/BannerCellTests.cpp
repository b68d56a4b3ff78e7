#include <gtest/gtest.h>

#include "GifModelSupport.h"
#include "host/foundation/Data.h"
#include "host/foundation/NotificationCenter.h"
#include "host/foundation/RunLoop.h"
#include "host/foundation/String.h"
#include "host/uikit/CADisplayLink.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UIWindow.h"
#include "tamarind/banner/GifClasses.h"
#include "tamarind/banner/TMBannerCell.h"

namespace {

TEST(BannerCell, GifTestLooksAtTheFirstThreeBytesOnly)
{
    struct Case {
        std::string bytes;
        bool gif;
    } cases[] = {
        { "GI", false },
        { "GIF", true },
        { "GIF89a", true },
        { "GIF87a", true },
        { "gif89a", false },
        { "\x89PNG", false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(isDataAGIF(NSData::create(std::vector<std::uint8_t>(c.bytes.begin(), c.bytes.end())).get()), c.gif)
            << c.bytes;
    EXPECT_FALSE(isDataAGIF(nullptr));
}

rt::Ref<rt::Object> makeCell()
{
    tamarind::registerGifClasses();
    rt::Class* cls = tamarind::registerBannerCell();
    rt::Object* allocated = rt::send<rt::Object*>(cls, SELECTOR("alloc"));
    return rt::adopt(
        message(allocated, "initWithStyle:reuseIdentifier:", 0L, static_cast<rt::Object*>(ns("SomethingElse"))));
}

TEST(BannerCell, BannerFillsTheCellAndTheSystemBackgroundGoesOnce)
{
    auto cell = makeCell();
    ASSERT_TRUE(cell);
    EXPECT_EQ(toStdString(message(cell, "reuseIdentifier")), "TMBannerCell");
    EXPECT_EQ(message<long>(cell, "selectionStyle"), 0);
    rt::Object* banner = message(cell, "bannerImageView");
    ASSERT_TRUE(banner);
    EXPECT_STREQ(banner->isa()->name(), "FLAnimatedImageView");
    EXPECT_EQ(message(banner, "superview"), message(cell, "contentView"));
    EXPECT_EQ(message<unsigned long>(banner, "autoresizingMask"), 18u);
    EXPECT_EQ(message<long>(banner, "contentMode"), 2);
    EXPECT_TRUE(message<bool>(banner, "clipsToBounds"));

    auto backgrounds = [&] {
        int count = 0;
        rt::Object* subviews = message(cell, "subviews");
        for (unsigned long i = 0; i < message<unsigned long>(subviews, "count"); ++i)
            count += std::string(message(subviews, "objectAtIndex:", i)->isa()->name()) == "_UISystemBackgroundView";
        return count;
    };
    rt::Class* background = rt::getClass("_UISystemBackgroundView");
    for (int i = 0; i < 2; ++i)
        message<void>(cell, "addSubview:", rt::autorelease(rt::newObject(background)));
    message<void>(cell, "setFrame:", CGRectMake(0, 0, 390, 120));
    message<void>(cell, "layoutSubviews");
    CGRect frame = message<CGRect>(banner, "frame");
    EXPECT_EQ(frame.size.width, 390);
    EXPECT_EQ(frame.size.height, 120);
    int afterFirst = backgrounds();
    message<void>(cell, "layoutSubviews");
    EXPECT_EQ(backgrounds(), afterFirst - 1);
}

TEST(BannerCell, PausesInTheBackgroundAndResumesInTheForeground)
{
    auto cell = makeCell();
    auto window = UIWindow::create(UIScreen::mainScreen()->bounds());
    window->makeKeyAndVisible();
    message<void>(window, "addSubview:", cell.get());
    rt::Object* banner = message(cell, "bannerImageView");
    // A still picture: entering the background is the base image view's no-op.
    NotificationCenter::defaultCenter().post(UIApplicationDidEnterBackgroundNotification);
    EXPECT_FALSE(message<bool>(banner, "isAnimating"));

    TestGif gif = solidAnimation(3, 4, 4);
    auto image = createImage(writeGif(gif));
    message<void>(banner, "setAnimatedImage:", image.get());
    EXPECT_TRUE(message<bool>(banner, "isAnimating"));
    NotificationCenter::defaultCenter().post(UIApplicationDidEnterBackgroundNotification);
    EXPECT_FALSE(message<bool>(banner, "isAnimating"));
    NotificationCenter::defaultCenter().post(UIApplicationWillEnterForegroundNotification);
    EXPECT_TRUE(message<bool>(banner, "isAnimating"));
    message<void>(cell, "removeFromSuperview");
    cell = nullptr;
    // The cell stopped observing when it went away.
    NotificationCenter::defaultCenter().post(UIApplicationWillEnterForegroundNotification);
    RunLoop::main().runUntilIdle();
}

}
