#pragma once

#include <functional>
#include <vector>

#include "host/foundation/Geometry.h"
#include "host/runtime/Runtime.h"

// NSIndexSet and NSMutableIndexSet share one C++ type; only the mutable class answers the
// mutating messages. The indexes are kept as sorted, disjoint and non-touching ranges, so a set
// such as "every frame of an animation" costs one range whatever its size.
class NSIndexSet : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Class* mutableClassObject();
    static rt::Ref<NSIndexSet> create(NSRange = {});
    static rt::Ref<NSIndexSet> createMutable(NSRange = {});
    static rt::Ref<NSIndexSet> createMutable(const NSIndexSet& other);

    unsigned long count() const;
    bool contains(unsigned long index) const;
    // NSNotFound when empty.
    unsigned long firstIndex() const;
    unsigned long lastIndex() const;
    // The smallest index above `index`, or NSNotFound.
    unsigned long indexGreaterThan(unsigned long index) const;
    unsigned long countInRange(NSRange) const;
    bool operator==(const NSIndexSet& other) const { return m_ranges == other.m_ranges; }

    // Mutations are only offered by message on the mutable class; the C++ API trusts its caller.
    void add(unsigned long index) { addRange({ index, 1 }); }
    void addRange(NSRange);
    void add(const NSIndexSet&);
    void remove(unsigned long index) { removeRange({ index, 1 }); }
    void removeRange(NSRange);
    void remove(const NSIndexSet&);
    void removeAll() { m_ranges.clear(); }

    // Calls `visit` with each index in ascending order; stops early when it returns false.
    void forEach(const std::function<bool(unsigned long)>& visit) const;
    void forEachInRange(NSRange, const std::function<bool(unsigned long)>& visit) const;
    const std::vector<NSRange>& ranges() const { return m_ranges; }

    // "(0-2 5)", the way Foundation lists the indexes in a description.
    std::string indexesDescription() const;

private:
    std::vector<NSRange> m_ranges;
};

bool isIndexSet(rt::Object*);
