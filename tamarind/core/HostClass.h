#pragma once

#include <atomic>

#include "host/runtime/Class.h"

namespace tamarind {

// A host class looked up by name on first use and remembered (null when the host lacks it):
//   static HostClass iconCache("PKIconImageCache");
// The constructor is constexpr so that a HostClass at namespace scope is ready before any
// load-time constructor runs.
class HostClass {
public:
    explicit constexpr HostClass(const char* name)
        : m_name(name)
    {
    }
    rt::Class* get() const
    {
        rt::Class* cls = m_class.load(std::memory_order_acquire);
        if (!cls) {
            cls = rt::getClass(m_name);
            m_class.store(cls, std::memory_order_release);
        }
        return cls;
    }
    operator rt::Class*() const { return get(); }

private:
    const char* m_name;
    mutable std::atomic<rt::Class*> m_class { nullptr };
};

}
