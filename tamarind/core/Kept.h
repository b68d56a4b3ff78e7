#pragma once

#include "host/runtime/Object.h"

namespace tamarind {

// A process-wide strong reference to a host object (a floating button, a menu item): setting it
// retains the new object and releases the one it held. It is never torn down, so nothing is
// released at exit, when the runtime may already be gone. Main thread only.
class Kept {
public:
    constexpr Kept() = default;
    rt::Object* get() const { return m_object; }
    void set(rt::Object* object)
    {
        if (object == m_object)
            return;
        if (object)
            object->retain();
        if (m_object)
            m_object->release();
        m_object = object;
    }

private:
    rt::Object* m_object { nullptr };
};

}
