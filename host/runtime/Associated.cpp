#include "host/runtime/Associated.h"

#include <atomic>
#include <utility>
#include <vector>

namespace rt {

// One small map per object, created on first use. A spin lock is enough: the critical sections
// are a few compares, and an object's associations are rarely touched from two threads at once.
struct AssociationMap {
    struct Entry {
        const void* key;
        Object* value;
        bool retained;
    };
    std::atomic_flag busy = ATOMIC_FLAG_INIT;
    std::vector<Entry> entries;

    void lock()
    {
        while (busy.test_and_set(std::memory_order_acquire))
            busy.wait(true, std::memory_order_relaxed);
    }
    void unlock()
    {
        busy.clear(std::memory_order_release);
        busy.notify_one();
    }
};

void setAssociatedObject(Object* obj, const void* key, Object* value, int policy)
{
    if (!obj || obj->isImmortal())
        return;
    AssociationMap* map = obj->m_associations.load(std::memory_order_acquire);
    if (!map) {
        auto* fresh = new AssociationMap;
        if (obj->m_associations.compare_exchange_strong(map, fresh, std::memory_order_acq_rel))
            map = fresh;
        else
            delete fresh;
    }
    bool retain = policy == AssociationRetainNonatomic;
    if (value && retain)
        value->retain();
    Object* old = nullptr;
    bool oldRetained = false;
    map->lock();
    bool found = false;
    for (auto& e : map->entries) {
        if (e.key == key) {
            old = std::exchange(e.value, value);
            oldRetained = std::exchange(e.retained, retain);
            found = true;
            break;
        }
    }
    if (!found && value)
        map->entries.push_back({ key, value, retain });
    map->unlock();
    // Released outside the lock: a dealloc may touch associations of its own.
    if (old && oldRetained)
        old->release();
}

Object* getAssociatedObject(Object* obj, const void* key)
{
    if (!obj)
        return nullptr;
    AssociationMap* map = obj->m_associations.load(std::memory_order_acquire);
    if (!map)
        return nullptr;
    Object* value = nullptr;
    map->lock();
    for (auto& e : map->entries) {
        if (e.key == key) {
            value = e.value;
            break;
        }
    }
    map->unlock();
    return value;
}

void removeAssociatedObjects(Object* obj)
{
    AssociationMap* map = obj->m_associations.exchange(nullptr, std::memory_order_acq_rel);
    if (!map)
        return;
    auto entries = std::move(map->entries);
    delete map;
    for (auto& e : entries)
        if (e.value && e.retained)
            e.value->release();
}

}
