#include "host/foundation/RunLoop.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "host/platform/Clock.h"
#include "host/runtime/AutoreleasePool.h"

RunLoop& RunLoop::main()
{
    static auto* loop = new RunLoop;
    return *loop;
}

void RunLoop::post(std::function<void()> work)
{
    {
        std::lock_guard guard(m_lock);
        m_posted.push_back(std::move(work));
    }
    m_wake.notify_all();
}

RunLoop::TimerID RunLoop::addTimer(double delay, std::function<void()> callback, double interval)
{
    TimerID id;
    {
        std::lock_guard guard(m_lock);
        id = m_nextSequence++;
        m_live.insert(id);
        m_timers.push({ hostClock().now() + std::max(0.0, delay), id, id, interval, std::move(callback) });
    }
    m_wake.notify_all();
    return id;
}

void RunLoop::cancelTimer(TimerID id)
{
    std::lock_guard guard(m_lock);
    m_live.erase(id);
}

bool RunLoop::isTimerPending(TimerID id) const
{
    std::lock_guard guard(m_lock);
    return m_live.count(id);
}

double RunLoop::nextTimerTime() const
{
    std::lock_guard guard(m_lock);
    return m_timers.empty() ? -1 : m_timers.top().fireTime;
}

bool RunLoop::runOnce()
{
    rt::AutoreleasePool pool;
    std::vector<std::function<void()>> work;
    std::vector<Timer> due;
    {
        std::lock_guard guard(m_lock);
        work = std::exchange(m_posted, {});
        double now = hostClock().now();
        while (!m_timers.empty() && m_timers.top().fireTime <= now) {
            Timer t = m_timers.top();
            m_timers.pop();
            if (m_live.count(t.id))
                due.push_back(std::move(t));
        }
    }
    for (auto& w : work)
        w();
    for (auto& t : due) {
        {
            // A timer cancelled by an earlier callback of this pass does not fire.
            std::lock_guard guard(m_lock);
            if (!m_live.count(t.id))
                continue;
            if (t.interval > 0)
                m_timers.push({ t.fireTime + t.interval, m_nextSequence++, t.id, t.interval, t.callback });
            else
                m_live.erase(t.id);
        }
        t.callback();
    }
    return !work.empty() || !due.empty();
}

void RunLoop::runUntilIdle()
{
    for (int passes = 0; passes < 100000 && runOnce(); ++passes) { }
}

void RunLoop::advance(double seconds)
{
    Clock& clock = hostClock();
    double target = clock.now() + std::max(0.0, seconds);
    runUntilIdle();
    if (clock.isVirtual()) {
        auto& virtualClock = static_cast<VirtualClock&>(clock);
        for (;;) {
            settle();
            double next = nextTimerTime();
            if (next < 0 || next > target)
                break;
            virtualClock.advanceTo(next);
            runUntilIdle();
        }
        virtualClock.advanceTo(target);
        settle();
        return;
    }
    while (clock.now() < target) {
        double next = nextTimerTime();
        double until = next < 0 ? target : std::min(target, next);
        std::unique_lock guard(m_lock);
        m_wake.wait_for(guard, std::chrono::duration<double>(std::max(0.0, until - clock.now())),
            [&] { return !m_posted.empty(); });
        guard.unlock();
        runUntilIdle();
    }
}

void RunLoop::backgroundWorkBegan()
{
    std::lock_guard guard(m_lock);
    ++m_backgroundWork;
}

void RunLoop::backgroundWorkEnded()
{
    {
        std::lock_guard guard(m_lock);
        --m_backgroundWork;
    }
    m_wake.notify_all();
}

void RunLoop::settle()
{
    constexpr auto kPatience = std::chrono::seconds(5);
    for (;;) {
        runUntilIdle();
        std::unique_lock guard(m_lock);
        if (m_backgroundWork == 0 && m_posted.empty())
            return;
        if (!m_wake.wait_for(guard, kPatience, [&] { return m_backgroundWork == 0 || !m_posted.empty(); }))
            return;
    }
}

bool RunLoop::runUntil(const std::function<bool()>& condition, double timeout)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout);
    for (;;) {
        runUntilIdle();
        if (condition())
            return true;
        std::unique_lock guard(m_lock);
        if (!m_wake.wait_until(guard, deadline, [&] { return !m_posted.empty(); }))
            return condition();
    }
}
