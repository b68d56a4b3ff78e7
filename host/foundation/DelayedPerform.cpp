#include "host/foundation/DelayedPerform.h"

#include <cstring>
#include <mutex>
#include <vector>

#include "host/foundation/Array.h"
#include "host/foundation/RunLoop.h"

namespace {

struct Request {
    RunLoop::TimerID timer;
    rt::Ref<rt::Object> target;
    rt::SEL selector;
    rt::Ref<rt::Object> argument;
};

struct Requests {
    std::mutex lock;
    std::vector<Request> pending;
};

Requests& requests()
{
    static auto* r = new Requests;
    return *r;
}

void cancelMatching(const std::function<bool(const Request&)>& matches)
{
    std::vector<Request> cancelled;
    {
        auto& r = requests();
        std::lock_guard guard(r.lock);
        for (auto it = r.pending.begin(); it != r.pending.end();) {
            if (matches(*it)) {
                RunLoop::main().cancelTimer(it->timer);
                cancelled.push_back(std::move(*it));
                it = r.pending.erase(it);
            } else {
                ++it;
            }
        }
    }
    // Targets are released here, outside the lock, in case one of them dies.
}

}

void performAfterDelay(rt::Object* target, rt::SEL selector, rt::Object* argument, double delay)
{
    if (!target)
        return;
    auto& r = requests();
    std::lock_guard guard(r.lock);
    auto id = std::make_shared<RunLoop::TimerID>(0);
    *id = RunLoop::main().addTimer(delay, [id] {
        Request fired;
        {
            auto& r = requests();
            std::lock_guard guard(r.lock);
            for (auto it = r.pending.begin(); it != r.pending.end(); ++it) {
                if (it->timer == *id) {
                    fired = std::move(*it);
                    r.pending.erase(it);
                    break;
                }
            }
        }
        // A selector without an argument is sent without one, as Cocoa's calling convention
        // lets performSelector:withObject: call it; our sends check the signature.
        if (fired.target && std::strchr(rt::selName(fired.selector), ':'))
            rt::send(fired.target, fired.selector, fired.argument.get());
        else if (fired.target)
            rt::send(fired.target, fired.selector);
    });
    r.pending.push_back({ *id, target, selector, argument });
}

void cancelPreviousPerformRequests(rt::Object* target, rt::SEL selector, rt::Object* argument)
{
    cancelMatching([&](const Request& q) {
        return q.target.get() == target && q.selector == selector && objectsEqual(q.argument.get(), argument);
    });
}

void cancelPreviousPerformRequests(rt::Object* target)
{
    cancelMatching([&](const Request& q) { return q.target.get() == target; });
}

void registerDelayedPerformMethods()
{
    using namespace rt;
    Class* root = rootClass();
    addMethod(root, sel("performSelector:withObject:afterDelay:"),
        +[](Object* self, SEL, SEL selector, Object* argument, double delay) { performAfterDelay(self, selector, argument, delay); });
    addClassMethod(root, sel("cancelPreviousPerformRequestsWithTarget:selector:object:"),
        +[](Class*, SEL, Object* target, SEL selector, Object* argument) { cancelPreviousPerformRequests(target, selector, argument); });
    addClassMethod(root, sel("cancelPreviousPerformRequestsWithTarget:"),
        +[](Class*, SEL, Object* target) { cancelPreviousPerformRequests(target); });
}
