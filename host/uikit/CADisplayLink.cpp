#include "host/uikit/CADisplayLink.h"

#include <algorithm>
#include <cmath>


using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

constexpr long kScreenRate = 60;
constexpr double kBeatTolerance = 1e-6;

CADisplayLink* link(Object* o)
{
    return static_cast<CADisplayLink*>(o);
}

void registerMethods(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("displayLinkWithTarget:selector:"), +[](Class*, SEL, Object* target, SEL selector) -> Object* {
            return autorelease(CADisplayLink::create(target, selector));
        });
    addMethod(
        c, sel("addToRunLoop:forMode:"), +[](Object* s, SEL, Object*, Object* mode) { link(s)->addToRunLoop(mode); });
    addMethod(
        c, sel("removeFromRunLoop:forMode:"), +[](Object* s, SEL, Object*, Object*) { link(s)->invalidate(); });
    addMethod(
        c, sel("invalidate"), +[](Object* s, SEL) { link(s)->invalidate(); });
    addMethod(
        c, sel("isPaused"), +[](Object* s, SEL) { return link(s)->m_paused; });
    addMethod(
        c, sel("setPaused:"), +[](Object* s, SEL, bool p) { link(s)->setPaused(p); });
    addMethod(
        c, sel("preferredFramesPerSecond"), +[](Object* s, SEL) { return link(s)->m_preferredFramesPerSecond; });
    addMethod(
        c, sel("setPreferredFramesPerSecond:"),
        +[](Object* s, SEL, long fps) { link(s)->setPreferredFramesPerSecond(fps); });
    addMethod(
        c, sel("timestamp"), +[](Object* s, SEL) { return link(s)->m_timestamp; });
    addMethod(
        c, sel("targetTimestamp"), +[](Object* s, SEL) { return link(s)->m_targetTimestamp; });
    addMethod(
        c, sel("duration"), +[](Object* s, SEL) { return link(s)->frameInterval(); });
}

}

Class* CADisplayLink::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<CADisplayLink>("CADisplayLink", rt::rootClass());
        registerMethods(c);
        return c;
    }();
    return cls;
}

rt::Ref<CADisplayLink> CADisplayLink::create(Object* target, SEL selector)
{
    auto l = rt::adopt(static_cast<CADisplayLink*>(classObject()->allocate()));
    l->m_target = target;
    l->m_selector = selector;
    return l;
}

CADisplayLink::~CADisplayLink()
{
    unschedule();
}

double CADisplayLink::frameInterval() const
{
    long rate = m_preferredFramesPerSecond > 0 ? std::min(m_preferredFramesPerSecond, kScreenRate) : kScreenRate;
    return 1.0 / static_cast<double>(rate);
}

void CADisplayLink::addToRunLoop(Object* mode)
{
    if (m_invalidated || m_scheduled)
        return;
    m_runLoopMode = mode;
    m_scheduled = true;
    if (!m_paused)
        schedule();
}

void CADisplayLink::setPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_paused = paused;
    if (paused)
        unschedule();
    else if (m_scheduled && !m_invalidated)
        schedule();
}

void CADisplayLink::setPreferredFramesPerSecond(long fps)
{
    double before = frameInterval();
    m_preferredFramesPerSecond = std::max(0L, fps);
    // Asking for the rate the link already has changes nothing: its frames keep their phase.
    if (m_timer && frameInterval() != before) {
        unschedule();
        schedule();
    }
}

void CADisplayLink::invalidate()
{
    if (m_invalidated)
        return;
    m_invalidated = true;
    unschedule();
    // Invalidating lets go of the target, which is how its owner breaks the cycle.
    rt::Ref<Object> released = std::move(m_target);
}

// The screen refreshes on a fixed beat from the start of the clock, and a link fires on the
// beats of its own interval: a link started, paused or resumed between two beats fires at the
// next one, not one interval after it was touched, so touching it often cannot hold it back.
double CADisplayLink::delayToNextFrame(double interval)
{
    double sinceBeat = std::fmod(CACurrentMediaTime(), interval);
    double delay = interval - sinceBeat;
    // A clock that stands on a beat (give or take rounding) waits for the next one.
    return delay < kBeatTolerance ? delay + interval : delay;
}

void CADisplayLink::schedule()
{
    if (m_timer)
        return;
    double interval = frameInterval();
    // The link holds itself weakly on the run loop: the timer must not keep it alive.
    rt::Weak<CADisplayLink> weak(this);
    m_timer = RunLoop::main().addTimer(
        delayToNextFrame(interval),
        [weak] {
            if (auto strong = weak.load())
                strong->tick();
        },
        interval);
}

void CADisplayLink::unschedule()
{
    if (!m_timer)
        return;
    RunLoop::main().cancelTimer(m_timer);
    m_timer = 0;
}

void CADisplayLink::tick()
{
    if (m_paused || m_invalidated || !m_target)
        return;
    rt::Ref<CADisplayLink> keep(this);
    m_timestamp = CACurrentMediaTime();
    m_targetTimestamp = m_timestamp + frameInterval();
    ++m_fireCount;
    rt::Ref<Object> target = m_target;
    rt::AutoreleasePool pool;
    rt::send(target.get(), m_selector, static_cast<Object*>(this));
}
