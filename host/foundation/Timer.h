#pragma once

#include "host/foundation/RunLoop.h"
#include "host/runtime/Runtime.h"

// NSTimer on the main run loop. A scheduled timer keeps its target (or block) alive until it is
// invalidated or, for a one-shot timer, until it has fired, as NSTimer does.
class NSTimer : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<NSTimer> schedule(double interval, rt::Object* target, rt::SEL, rt::Object* userInfo, bool repeats);
    static rt::Ref<NSTimer> schedule(double interval, bool repeats, rt::Object* block);

    void invalidate();
    bool isValid() const { return m_valid; }
    void fire();

private:
    // Schedules a timer made by one of the factories on the main run loop.
    static rt::Ref<NSTimer> start(rt::Ref<NSTimer>);

    double m_interval { 0 };
    bool m_repeats { false };
    bool m_valid { false };
    RunLoop::TimerID m_id { 0 };
    rt::Ref<rt::Object> m_target;
    rt::SEL m_selector { nullptr };
    rt::Ref<rt::Object> m_userInfo;
    rt::Ref<rt::Object> m_block;
};
