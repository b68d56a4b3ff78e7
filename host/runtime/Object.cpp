#include "host/runtime/Object.h"

#include "host/runtime/Messaging.h"
#include "host/runtime/Weak.h"

namespace rt {

Object::~Object() = default;

void Object::retain()
{
    if (isImmortal())
        return;
    m_refs.fetch_add(1, std::memory_order_relaxed);
}

bool Object::tryRetain()
{
    if (isImmortal())
        return true;
    uint32_t n = m_refs.load(std::memory_order_relaxed);
    while (n != 0) {
        if (m_refs.compare_exchange_weak(n, n + 1, std::memory_order_relaxed))
            return true;
    }
    return false;
}

void Object::release()
{
    if (isImmortal())
        return;
    if (m_refs.fetch_sub(1, std::memory_order_acq_rel) != 1)
        return;
    // Weak slots read nil before anything is torn down. Once the count is zero no weak load can
    // revive the object, because tryRetain refuses a count of zero.
    if (m_flags.load(std::memory_order_relaxed) & WeaklyReferenced)
        WeakTable::clearReferences(this);
    m_flags.fetch_or(Deallocating, std::memory_order_relaxed);
    send(this, SELECTOR("dealloc"));
}

}
