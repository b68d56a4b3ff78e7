#include <gtest/gtest.h>

#include <string>

#include "host/platform/Clock.h"
#include "host/foundation/RunLoop.h"
#include "host/foundation/Timer.h"

TEST(RunLoop, TimersFireInTimeOrderAndTiesInStartOrder)
{
    auto& loop = RunLoop::main();
    std::string order;
    loop.addTimer(0.2, [&] { order += "c"; });
    loop.addTimer(0.1, [&] { order += "a"; });
    loop.addTimer(0.1, [&] { order += "b"; });
    auto cancelled = loop.addTimer(0.15, [&] { order += "x"; });
    loop.cancelTimer(cancelled);
    loop.advance(0.05);
    EXPECT_EQ(order, "");
    loop.advance(1);
    EXPECT_EQ(order, "abc");
}

TEST(RunLoop, WorkPostedDuringAPassRunsOnTheNext)
{
    auto& loop = RunLoop::main();
    std::string order;
    loop.post([&] {
        order += "1";
        loop.post([&] { order += "3"; });
    });
    loop.post([&] { order += "2"; });
    EXPECT_TRUE(loop.runOnce());
    EXPECT_EQ(order, "12");
    loop.runUntilIdle();
    EXPECT_EQ(order, "123");
}

TEST(RunLoop, RepeatingTimerFiresAtEachIntervalUntilInvalidated)
{
    auto& loop = RunLoop::main();
    int fired = 0;
    double start = hostClock().now();
    auto block = rt::makeBlock<void(NSTimer*)>([&](NSTimer* t) {
        if (++fired == 3)
            t->invalidate();
    });
    auto timer = NSTimer::schedule(1.0, true, block.get());
    loop.advance(2.5);
    EXPECT_EQ(fired, 2);
    loop.advance(10);
    EXPECT_EQ(fired, 3);
    EXPECT_FALSE(timer->isValid());
    EXPECT_DOUBLE_EQ(hostClock().now(), start + 12.5);
}
