#pragma once

#include <vector>

#include "host/runtime/Runtime.h"

// NSArray and NSMutableArray share one C++ type; only the mutable class answers the mutating
// messages. Elements are compared with isEqual:, as Foundation does.
class NSArray : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Class* mutableClassObject();
    static rt::Ref<NSArray> create(std::vector<rt::Ref<rt::Object>> = {});
    static rt::Ref<NSArray> createMutable(std::vector<rt::Ref<rt::Object>> = {});

    size_t count() const { return m_items.size(); }
    rt::Object* at(size_t i) const { return m_items[i].get(); }
    long indexOf(rt::Object*) const;
    bool contains(rt::Object* o) const { return indexOf(o) >= 0; }
    void add(rt::Object* o) { m_items.emplace_back(o); }
    // Inserts before the item at `index`, which is at most count().
    void insert(size_t index, rt::Object*);
    // Adds the items of `other`, which may be this array.
    void addAll(const NSArray* other);
    const std::vector<rt::Ref<rt::Object>>& items() const { return m_items; }

private:
    static void registerImmutableMethods(rt::Class*);
    static void registerMutableMethods(rt::Class*);

    std::vector<rt::Ref<rt::Object>> m_items;
};

bool isArray(rt::Object*);
bool objectsEqual(rt::Object*, rt::Object*);

constexpr long NSNotFound = 0x7fffffffffffffffL;
