#pragma once

#include "host/runtime/Object.h"

namespace rt {

// A zeroing weak reference. The side table knows the address of every weak slot that points at
// an object; when the object dies, every slot reads null. Loading retains under the table's lock,
// so a reference cannot be handed out while its object is being freed.
class WeakTable {
public:
    // Points the slot at target (or at nothing), moving its registration.
    static void store(Object** slot, Object* target);
    static Object* loadRetained(Object* const* slot);
    static void clearReferences(Object*);
};

template<class T>
class Weak {
public:
    Weak() = default;
    Weak(T* target) { assign(target); }
    Weak(const Weak& other) { assign(other.load().get()); }
    Weak& operator=(const Weak& other)
    {
        if (this != &other)
            assign(other.load().get());
        return *this;
    }
    Weak& operator=(T* target)
    {
        assign(target);
        return *this;
    }
    ~Weak() { assign(nullptr); }

    // A strong reference to the object, or null once it is gone.
    Ref<T> load() const { return adopt(static_cast<T*>(WeakTable::loadRetained(&m_slot))); }

private:
    void assign(T* target) { WeakTable::store(&m_slot, target); }
    mutable Object* m_slot { nullptr };
};

}
