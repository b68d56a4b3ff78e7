#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <queue>
#include <unordered_set>
#include <vector>

// The main run loop: the main queue and the timers, on the host clock.
//
// One pass:
//   1. run the work posted to the main queue before the pass began, in order (work posted while
//      it runs waits for the next pass);
//   2. collect every timer due at the current time, ordered by (fire time, sequence number), and
//      then fire them, so a callback that adds or cancels timers cannot disturb the scan;
//   3. drain the pass's autorelease pool.
//
// Everything here may be called from any thread; callbacks run on the thread that runs the loop,
// the main thread.
class RunLoop {
public:
    using TimerID = uint64_t;

    static RunLoop& main();

    void post(std::function<void()>);
    // Fires once after `delay` seconds, or every `interval` seconds when interval > 0.
    TimerID addTimer(double delay, std::function<void()>, double interval = 0);
    void cancelTimer(TimerID);
    bool isTimerPending(TimerID) const;

    // Runs one pass. Returns whether anything ran.
    bool runOnce();
    // Runs passes until nothing is posted and no timer is due now.
    void runUntilIdle();
    // Moves the clock forward by `seconds`, firing timers at their own times on the way. On the
    // real clock this waits.
    void advance(double seconds);
    // Runs passes (waiting for work posted by other threads, for at most `timeout` real seconds)
    // until the condition holds. Returns the condition's last value.
    bool runUntil(const std::function<bool()>& condition, double timeout = 5.0);

    // The time of the earliest pending timer, or a negative value.
    double nextTimerTime() const;

    // Work queued on other threads (private serial queues) that may post back to the main queue.
    // On the virtual clock, advance() lets it finish, and runs what it posts, before time moves
    // on: work off the main thread takes no simulated time, so every run plays out alike.
    void backgroundWorkBegan();
    void backgroundWorkEnded();

private:
    struct Timer {
        double fireTime;
        uint64_t sequence;
        TimerID id;
        double interval;
        std::function<void()> callback;
    };
    struct Later {
        bool operator()(const Timer& a, const Timer& b) const
        {
            return a.fireTime != b.fireTime ? a.fireTime > b.fireTime : a.sequence > b.sequence;
        }
    };

    // Runs passes until nothing is posted and no background work is pending (bounded in real
    // time, so work that never ends cannot hang the loop).
    void settle();

    mutable std::mutex m_lock;
    unsigned long m_backgroundWork { 0 };
    std::condition_variable m_wake;
    std::vector<std::function<void()>> m_posted;
    std::priority_queue<Timer, std::vector<Timer>, Later> m_timers;
    // Timers still wanted; a cancelled timer stays in the heap until its time and is skipped then.
    std::unordered_set<TimerID> m_live;
    uint64_t m_nextSequence { 1 };
};
