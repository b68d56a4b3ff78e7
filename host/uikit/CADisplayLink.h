#pragma once

#include "host/foundation/MediaTime.h"
#include "host/foundation/RunLoop.h"
#include "host/runtime/Runtime.h"

// CADisplayLink: calls its target on the main run loop at the screen's refresh rate (60 a second)
// or the rate it prefers, reporting when the next frame will be shown. It holds its target
// strongly, as Core Animation's does, until it is invalidated. Its frames keep one beat, as a
// screen's refreshes do, so pausing, resuming or asking again for the same rate never shifts
// them. On the virtual clock the frames come exactly when the clock is advanced past them.
class CADisplayLink final : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<CADisplayLink> create(rt::Object* target, rt::SEL);

    ~CADisplayLink() override;

    // The host's run loop runs sources of every mode on each pass; the mode is kept to be shown.
    void addToRunLoop(rt::Object* mode);
    void setPaused(bool);
    void setPreferredFramesPerSecond(long);
    void invalidate();
    double frameInterval() const;

    bool isPaused() const { return m_paused; }
    long preferredFramesPerSecond() const { return m_preferredFramesPerSecond; }
    rt::Object* runLoopMode() const { return m_runLoopMode.get(); }
    double targetTimestamp() const { return m_targetTimestamp; }
    // Stores only: a link's own refreshes set it, a stand-in link is given one.
    void setTargetTimestamp(double timestamp) { m_targetTimestamp = timestamp; }
    // Times the target was called, for measurements.
    unsigned long fireCount() const { return m_fireCount; }

private:
    static void registerMethods(rt::Class*);
    void schedule();
    void unschedule();
    void tick();

    rt::Ref<rt::Object> m_target;
    rt::SEL m_selector { nullptr };
    bool m_paused { false };
    bool m_scheduled { false };
    bool m_invalidated { false };
    long m_preferredFramesPerSecond { 0 };
    double m_timestamp { 0 };
    double m_targetTimestamp { 0 };
    rt::Ref<rt::Object> m_runLoopMode;
    unsigned long m_fireCount { 0 };
    RunLoop::TimerID m_timer { 0 };
    // When the link's next frame is due, on the beat it keeps while paused; negative before its
    // first start.
    double m_nextFrame { -1 };
    double m_nextFrameInterval { 0 };
    double m_pausedAt { -1 }; // when the link last stopped running; negative before that
};
