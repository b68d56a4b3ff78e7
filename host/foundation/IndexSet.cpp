#include "host/foundation/IndexSet.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "host/foundation/Array.h"
#include "host/foundation/String.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

constexpr unsigned long kNotFound = static_cast<unsigned long>(NSNotFound);

// The end of a range, one past its last index. A range reaching beyond the largest index is cut
// there, so that arithmetic on ends never wraps.
unsigned long endOf(NSRange range)
{
    return range.location + std::min(range.length, std::numeric_limits<unsigned long>::max() - range.location);
}

NSIndexSet* set(Object* o)
{
    return static_cast<NSIndexSet*>(o);
}

Object* makeSet(Class* cls, NSRange range)
{
    auto created = rt::adopt(static_cast<NSIndexSet*>(cls->allocate()));
    created->addRange(range);
    return rt::autorelease(std::move(created));
}

void registerImmutableIndexSet(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("indexSet"), +[](Class* cls, SEL) { return makeSet(cls, {}); });
    addClassMethod(
        c, sel("indexSetWithIndex:"), +[](Class* cls, SEL, unsigned long i) {
            return makeSet(cls, { i, 1 });
        });
    addClassMethod(
        c, sel("indexSetWithIndexesInRange:"), +[](Class* cls, SEL, NSRange r) { return makeSet(cls, r); });
    addMethod(
        c, sel("count"), +[](Object* s, SEL) { return set(s)->count(); });
    addMethod(
        c, sel("firstIndex"), +[](Object* s, SEL) { return set(s)->firstIndex(); });
    addMethod(
        c, sel("lastIndex"), +[](Object* s, SEL) { return set(s)->lastIndex(); });
    addMethod(
        c, sel("indexGreaterThanIndex:"), +[](Object* s, SEL, unsigned long i) { return set(s)->indexGreaterThan(i); });
    addMethod(
        c, sel("containsIndex:"), +[](Object* s, SEL, unsigned long i) { return set(s)->contains(i); });
    addMethod(
        c, sel("containsIndexes:"), +[](Object* s, SEL, Object* other) {
            if (!isIndexSet(other))
                return false;
            bool all = true;
            set(other)->forEach([&](unsigned long i) { return all = set(s)->contains(i); });
            return all;
        });
    addMethod(
        c, sel("countOfIndexesInRange:"), +[](Object* s, SEL, NSRange r) { return set(s)->countInRange(r); });
    addMethod(
        c, sel("isEqualToIndexSet:"), +[](Object* s, SEL, Object* o) { return isIndexSet(o) && *set(s) == *set(o); });
    addMethod(
        c, sel("isEqual:"), +[](Object* s, SEL, Object* o) { return isIndexSet(o) && *set(s) == *set(o); });
    addMethod(
        c, sel("hash"), +[](Object* s, SEL) { return set(s)->count(); });
    addMethod(
        c, sel("copy"), +[](Object* s, SEL) {
            auto copy = adopt(static_cast<NSIndexSet*>(NSIndexSet::classObject()->allocate()));
            copy->add(*set(s));
            return static_cast<Object*>(copy.leak());
        });
    addMethod(
        c, sel("mutableCopy"),
        +[](Object* s, SEL) { return static_cast<Object*>(NSIndexSet::createMutable(*set(s)).leak()); });
    addMethod(
        c, sel("enumerateIndexesUsingBlock:"), +[](Object* s, SEL, Object* block) {
            bool stop = false;
            set(s)->forEach([&](unsigned long i) {
                callBlock<void(unsigned long, bool*)>(block, i, &stop);
                return !stop;
            });
        });
    addMethod(
        c, sel("description"), +[](Object* s, SEL) -> Object* {
            char head[64];
            std::snprintf(head, sizeof head, "<%s: %p>", s->isa()->name(), static_cast<void*>(s));
            return ns(std::string(head) + "[number of indexes: " + std::to_string(set(s)->count()) + " (in "
                + std::to_string(set(s)->ranges().size()) + " ranges), indexes: " + set(s)->indexesDescription() + "]");
        });
}

void registerMutableIndexSet(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("addIndex:"), +[](Object* s, SEL, unsigned long i) { set(s)->add(i); });
    addMethod(
        c, sel("addIndexesInRange:"), +[](Object* s, SEL, NSRange r) { set(s)->addRange(r); });
    addMethod(
        c, sel("addIndexes:"), +[](Object* s, SEL, Object* other) {
            if (isIndexSet(other))
                set(s)->add(*set(other));
        });
    addMethod(
        c, sel("removeIndex:"), +[](Object* s, SEL, unsigned long i) { set(s)->remove(i); });
    addMethod(
        c, sel("removeIndexesInRange:"), +[](Object* s, SEL, NSRange r) { set(s)->removeRange(r); });
    addMethod(
        c, sel("removeIndexes:"), +[](Object* s, SEL, Object* other) {
            if (isIndexSet(other))
                set(s)->remove(*set(other));
        });
    addMethod(
        c, sel("removeAllIndexes"), +[](Object* s, SEL) { set(s)->removeAll(); });
}

}

Class* NSIndexSet::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<NSIndexSet>("NSIndexSet", rt::rootClass());
        registerImmutableIndexSet(c);
        return c;
    }();
    return cls;
}

Class* NSIndexSet::mutableClassObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<NSIndexSet>("NSMutableIndexSet", classObject());
        registerMutableIndexSet(c);
        return c;
    }();
    return cls;
}

rt::Ref<NSIndexSet> NSIndexSet::create(NSRange range)
{
    auto created = rt::adopt(static_cast<NSIndexSet*>(classObject()->allocate()));
    created->addRange(range);
    return created;
}

rt::Ref<NSIndexSet> NSIndexSet::createMutable(NSRange range)
{
    auto created = rt::adopt(static_cast<NSIndexSet*>(mutableClassObject()->allocate()));
    created->addRange(range);
    return created;
}

rt::Ref<NSIndexSet> NSIndexSet::createMutable(const NSIndexSet& other)
{
    auto created = createMutable();
    created->m_ranges = other.m_ranges;
    return created;
}

unsigned long NSIndexSet::count() const
{
    unsigned long total = 0;
    for (const NSRange& r : m_ranges)
        total += r.length;
    return total;
}

bool NSIndexSet::contains(unsigned long index) const
{
    // The first range that ends after the index is the only one that can hold it.
    auto it = std::upper_bound(
        m_ranges.begin(), m_ranges.end(), index, [](unsigned long i, const NSRange& r) { return i < endOf(r); });
    return it != m_ranges.end() && it->location <= index;
}

unsigned long NSIndexSet::firstIndex() const
{
    return m_ranges.empty() ? kNotFound : m_ranges.front().location;
}

unsigned long NSIndexSet::lastIndex() const
{
    return m_ranges.empty() ? kNotFound : endOf(m_ranges.back()) - 1;
}

unsigned long NSIndexSet::indexGreaterThan(unsigned long index) const
{
    for (const NSRange& r : m_ranges) {
        if (index + 1 < endOf(r) && index != std::numeric_limits<unsigned long>::max())
            return std::max(r.location, index + 1);
    }
    return kNotFound;
}

unsigned long NSIndexSet::countInRange(NSRange range) const
{
    unsigned long total = 0, begin = range.location, end = endOf(range);
    for (const NSRange& r : m_ranges) {
        unsigned long from = std::max(begin, r.location), to = std::min(end, endOf(r));
        if (from < to)
            total += to - from;
    }
    return total;
}

void NSIndexSet::addRange(NSRange range)
{
    unsigned long begin = range.location, end = endOf(range);
    if (begin >= end)
        return;
    // Every range that overlaps or touches the new one merges into it.
    std::vector<NSRange> merged;
    merged.reserve(m_ranges.size() + 1);
    bool placed = false;
    for (const NSRange& r : m_ranges) {
        if (endOf(r) < begin) {
            merged.push_back(r);
        } else if (r.location > end) {
            if (!placed)
                merged.push_back({ begin, end - begin }), placed = true;
            merged.push_back(r);
        } else {
            begin = std::min(begin, r.location);
            end = std::max(end, endOf(r));
        }
    }
    if (!placed)
        merged.push_back({ begin, end - begin });
    m_ranges = std::move(merged);
}

void NSIndexSet::add(const NSIndexSet& other)
{
    if (&other == this)
        return;
    for (const NSRange& r : other.m_ranges)
        addRange(r);
}

void NSIndexSet::removeRange(NSRange range)
{
    unsigned long begin = range.location, end = endOf(range);
    if (begin >= end)
        return;
    std::vector<NSRange> kept;
    kept.reserve(m_ranges.size() + 1);
    for (const NSRange& r : m_ranges) {
        unsigned long rEnd = endOf(r);
        if (rEnd <= begin || r.location >= end) {
            kept.push_back(r);
            continue;
        }
        if (r.location < begin)
            kept.push_back({ r.location, begin - r.location });
        if (rEnd > end)
            kept.push_back({ end, rEnd - end });
    }
    m_ranges = std::move(kept);
}

void NSIndexSet::remove(const NSIndexSet& other)
{
    if (&other == this) {
        removeAll();
        return;
    }
    for (const NSRange& r : other.m_ranges)
        removeRange(r);
}

void NSIndexSet::forEach(const std::function<bool(unsigned long)>& visit) const
{
    forEachInRange({ 0, std::numeric_limits<unsigned long>::max() }, visit);
}

void NSIndexSet::forEachInRange(NSRange range, const std::function<bool(unsigned long)>& visit) const
{
    unsigned long begin = range.location, end = endOf(range);
    // A copy, so that the visitor may change the set it walks.
    std::vector<NSRange> ranges = m_ranges;
    for (const NSRange& r : ranges) {
        for (unsigned long i = std::max(begin, r.location), to = std::min(end, endOf(r)); i < to; ++i) {
            if (!visit(i))
                return;
        }
    }
}

std::string NSIndexSet::indexesDescription() const
{
    std::string out = "(";
    for (const NSRange& r : m_ranges) {
        if (out.size() > 1)
            out += ' ';
        out += std::to_string(r.location);
        if (r.length > 1)
            out += '-' + std::to_string(endOf(r) - 1);
    }
    return out + ')';
}

bool isIndexSet(Object* o)
{
    return rt::isKindOf(o, NSIndexSet::classObject());
}

// Registered when the host loads, after the root classes, so that lookups by name find them.
[[gnu::constructor(104)]] static void registerIndexSetClasses()
{
    NSIndexSet::classObject();
    NSIndexSet::mutableClassObject();
}
