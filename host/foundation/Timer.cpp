#include "host/foundation/Timer.h"

#include "host/runtime/Bind.h"

using rt::Object;
using rt::SEL;

namespace {

NSTimer* timer(Object* o) { return static_cast<NSTimer*>(o); }

}

rt::Class* NSTimer::classObject()
{
    static rt::Class* cls = [] {
        using namespace rt;
        auto* c = defineCppClass<NSTimer>("NSTimer", rootClass());
        addMethod(c, sel("invalidate"), +[](Object* t, SEL) { timer(t)->invalidate(); });
        addMethod(c, sel("isValid"), +[](Object* t, SEL) { return timer(t)->isValid(); });
        addMethod(c, sel("fire"), +[](Object* t, SEL) { timer(t)->fire(); });
        bindReadOnlyProperty<&NSTimer::m_userInfo>(c, "userInfo");
        bindReadOnlyProperty<&NSTimer::m_interval>(c, "timeInterval");
        addClassMethod(c, sel("scheduledTimerWithTimeInterval:target:selector:userInfo:repeats:"),
            +[](Class*, SEL, double interval, Object* target, SEL selector, Object* info, bool repeats) {
                return static_cast<Object*>(autorelease(NSTimer::schedule(interval, target, selector, info, repeats)));
            });
        addClassMethod(c, sel("scheduledTimerWithTimeInterval:repeats:block:"),
            +[](Class*, SEL, double interval, bool repeats, BlockBase* block) {
                return static_cast<Object*>(autorelease(NSTimer::schedule(interval, repeats, block)));
            });
        return c;
    }();
    return cls;
}

rt::Ref<NSTimer> NSTimer::start(rt::Ref<NSTimer> t)
{
    t->m_valid = true;
    // The run loop holds the timer while it is scheduled.
    rt::Ref<NSTimer> held = t;
    t->m_id = RunLoop::main().addTimer(t->m_interval, [held] {
        held->fire();
    }, t->m_repeats ? std::max(t->m_interval, 0.0001) : 0);
    return t;
}

rt::Ref<NSTimer> NSTimer::schedule(double interval, Object* target, SEL selector, Object* userInfo, bool repeats)
{
    auto t = rt::adopt(static_cast<NSTimer*>(classObject()->allocate()));
    t->m_interval = interval;
    t->m_repeats = repeats;
    t->m_target = target;
    t->m_selector = selector;
    t->m_userInfo = userInfo;
    return start(std::move(t));
}

rt::Ref<NSTimer> NSTimer::schedule(double interval, bool repeats, Object* block)
{
    auto t = rt::adopt(static_cast<NSTimer*>(classObject()->allocate()));
    t->m_interval = interval;
    t->m_repeats = repeats;
    t->m_block = block;
    return start(std::move(t));
}

void NSTimer::invalidate()
{
    if (!m_valid)
        return;
    m_valid = false;
    RunLoop::main().cancelTimer(m_id);
    // Break the cycle between the run loop's callback and the timer.
    m_target = nullptr;
    m_block = nullptr;
}

void NSTimer::fire()
{
    if (!m_valid)
        return;
    rt::Ref<NSTimer> self(this);
    rt::Ref<Object> target = m_target;
    rt::Ref<Object> block = m_block;
    if (!m_repeats)
        invalidate();
    // The action may take the timer or nothing; Cocoa's calling convention lets either be sent.
    if (rt::Method* method = target ? target->isa()->lookup(m_selector) : nullptr; method && method->types == "v@:")
        rt::send(target, m_selector);
    else if (target)
        rt::send(target, m_selector, static_cast<Object*>(this));
    else if (block)
        rt::callBlock<void(NSTimer*)>(block, this);
}
