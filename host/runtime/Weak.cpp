#include "host/runtime/Weak.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "host/runtime/Class.h"
#include "host/runtime/Fatal.h"

namespace rt {

namespace {

struct SideTable {
    std::mutex lock;
    std::unordered_map<Object*, std::vector<Object**>> slots;
};

SideTable& sideTable()
{
    static auto* table = new SideTable;
    return *table;
}

}

void WeakTable::store(Object** slot, Object* target)
{
    // An object whose count reached zero is being deallocated: a reference formed now would
    // outlive it, so this is misuse (an over-release, or a reference taken in dealloc) and
    // stops here, as objc_storeWeak does.
    if (target && !target->isImmortal() && target->retainCount() == 0)
        fatal("Cannot form weak reference to instance (%p) of class %s. It is possible that this object was "
              "over-released, or is in the process of deallocation.",
            static_cast<void*>(target), classOf(target)->name());
    auto& t = sideTable();
    std::lock_guard guard(t.lock);
    if (Object* old = *slot) {
        auto it = t.slots.find(old);
        if (it != t.slots.end()) {
            auto& v = it->second;
            v.erase(std::remove(v.begin(), v.end(), slot), v.end());
            if (v.empty())
                t.slots.erase(it);
        }
    }
    *slot = nullptr;
    if (!target)
        return;
    *slot = target;
    if (target->isImmortal())
        return;
    target->m_flags.fetch_or(Object::WeaklyReferenced, std::memory_order_relaxed);
    t.slots[target].push_back(slot);
}

Object* WeakTable::loadRetained(Object* const* slot)
{
    auto& t = sideTable();
    std::lock_guard guard(t.lock);
    Object* target = *slot;
    if (target && !target->tryRetain())
        return nullptr;
    return target;
}

void WeakTable::clearReferences(Object* obj)
{
    auto& t = sideTable();
    std::lock_guard guard(t.lock);
    auto it = t.slots.find(obj);
    if (it == t.slots.end())
        return;
    for (Object** slot : it->second)
        *slot = nullptr;
    t.slots.erase(it);
}

}
