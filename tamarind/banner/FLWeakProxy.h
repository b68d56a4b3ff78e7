#pragma once

#include "host/runtime/Runtime.h"

namespace tamarind {

// A stand-in that holds its target weakly and passes every message on to it, so that a timer,
// a delayed call or a display link can aim at an object without keeping it alive. Once the
// target is gone, every message is swallowed and answers nil, 0 or NO.
//
// The runtime has no separate proxy root, so the proxy descends from NSObject and answers the
// root class's bookkeeping itself (alloc, dealloc, class, performSelector:withObject:afterDelay:,
// which must schedule the proxy and not its target). Identity questions (respondsToSelector:,
// isKindOfClass:, isEqual:, hash, description) are answered by the target, as a proxy's are.
class FLWeakProxy final : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<FLWeakProxy> create(rt::Object* target);

    rt::Ref<rt::Object> target() const { return m_target.load(); }
    void setTarget(rt::Object* target) { m_target = target; }

private:
    rt::Weak<rt::Object> m_target;
};

}
