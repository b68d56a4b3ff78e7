#pragma once

#include "host/foundation/MediaTime.h"
#include "host/foundation/RunLoop.h"
#include "host/runtime/Runtime.h"

// CADisplayLink: calls its target on the main run loop at the screen's refresh rate (60 a second)
// or the rate it prefers, reporting when the next frame will be shown. It holds its target
// strongly, as Core Animation's does, until it is invalidated. Its frames fall on the beats of
// its interval counted from the start of the clock, as a screen's refreshes do, so pausing,
// resuming or asking again for the same rate never shifts them. On the virtual clock the frames
// come exactly when the clock is advanced past them.
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

    rt::Ref<rt::Object> m_target;
    rt::SEL m_selector { nullptr };
    bool m_paused { false };
    bool m_scheduled { false };
    bool m_invalidated { false };
    long m_preferredFramesPerSecond { 0 };
    double m_timestamp { 0 };
    double m_targetTimestamp { 0 };
    rt::Ref<rt::Object> m_runLoopMode;
    unsigned long m_fireCount { 0 }; // times the target was called, for measurements

private:
    void schedule();
    void unschedule();
    static double delayToNextFrame(double interval);
    void tick();
    RunLoop::TimerID m_timer { 0 };
};
