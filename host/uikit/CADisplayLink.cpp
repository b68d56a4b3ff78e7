#include "host/uikit/CADisplayLink.h"

#include <algorithm>
#include <cmath>

#include "host/runtime/Bind.h"

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

void CADisplayLink::registerMethods(Class* c)
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
    bindGetter<&CADisplayLink::m_paused>(c, "isPaused");
    addMethod(
        c, sel("setPaused:"), +[](Object* s, SEL, bool p) { link(s)->setPaused(p); });
    bindGetter<&CADisplayLink::m_preferredFramesPerSecond>(c, "preferredFramesPerSecond");
    addMethod(
        c, sel("setPreferredFramesPerSecond:"),
        +[](Object* s, SEL, long fps) { link(s)->setPreferredFramesPerSecond(fps); });
    bindReadOnlyProperty<&CADisplayLink::m_timestamp>(c, "timestamp");
    bindReadOnlyProperty<&CADisplayLink::m_targetTimestamp>(c, "targetTimestamp");
    addMethod(
        c, sel("duration"), +[](Object* s, SEL) { return link(s)->frameInterval(); });
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

// A link keeps the beat it started on, as a screen's refresh does: paused and resumed (or asked
// again for the rate it has) between two frames, it fires at the next frame of that beat, not one
// interval after it was touched, so touching it often cannot hold it back. A new link, or one
// whose rate changed, starts a beat one interval from now.
void CADisplayLink::schedule()
{
    if (m_timer)
        return;
    double interval = frameInterval();
    double now = CACurrentMediaTime();
    if (m_nextFrame < 0 || m_nextFrameInterval != interval) {
        m_nextFrame = now + interval;
        m_nextFrameInterval = interval;
    }
    // Frames that came while the link was paused are gone, the one of this very moment too; but a
    // link paused and resumed in one moment has missed nothing.
    bool sameMoment = m_pausedAt >= 0 && now - m_pausedAt <= kBeatTolerance;
    double earliest = sameMoment ? now - kBeatTolerance : now + kBeatTolerance;
    if (m_nextFrame < earliest)
        m_nextFrame += std::ceil((earliest - m_nextFrame) / interval) * interval;
    // The link holds itself weakly on the run loop: the timer must not keep it alive.
    rt::Weak<CADisplayLink> weak(this);
    m_timer = RunLoop::main().addTimer(
        std::max(0.0, m_nextFrame - now),
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
    m_pausedAt = CACurrentMediaTime();
    RunLoop::main().cancelTimer(m_timer);
    m_timer = 0;
}

void CADisplayLink::tick()
{
    if (m_paused || m_invalidated || !m_target)
        return;
    rt::Ref<CADisplayLink> keep(this);
    // The run loop repeats the timer by adding the interval to its fire time; the same sum keeps
    // the next frame's time here.
    m_nextFrame += m_nextFrameInterval;
    m_timestamp = CACurrentMediaTime();
    m_targetTimestamp = m_timestamp + frameInterval();
    ++m_fireCount;
    rt::Ref<Object> target = m_target;
    rt::AutoreleasePool pool;
    rt::send(target.get(), m_selector, static_cast<Object*>(this));
}
