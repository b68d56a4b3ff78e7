#include "host/foundation/Array.h"

#include <algorithm>

#include "host/foundation/String.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

NSArray* arr(Object* o) { return static_cast<NSArray*>(o); }

Object* itemAt(Object* a, unsigned long i)
{
    if (i >= arr(a)->count())
        rt::fatal("-[%s objectAtIndex:]: index %lu beyond bounds [0 .. %ld]", a->isa()->name(), i,
            static_cast<long>(arr(a)->count()) - 1);
    return arr(a)->at(i);
}

Object* sortedUsingSelector(Object* a, SEL, SEL comparator)
{
    auto items = arr(a)->items();
    std::stable_sort(items.begin(), items.end(), [&](const rt::Ref<Object>& x, const rt::Ref<Object>& y) {
        return rt::send<long>(x, comparator, y.get()) < 0;
    });
    return rt::autorelease(NSArray::create(std::move(items)));
}

}

void NSArray::registerImmutableMethods(Class* c)
{
    using namespace rt;
    addMethod(c, sel("count"), +[](Object* a, SEL) { return static_cast<unsigned long>(arr(a)->count()); });
    addMethod(c, sel("objectAtIndex:"), +[](Object* a, SEL, unsigned long i) { return itemAt(a, i); });
    addMethod(c, sel("objectAtIndexedSubscript:"), +[](Object* a, SEL, unsigned long i) { return itemAt(a, i); });
    addMethod(c, sel("firstObject"), +[](Object* a, SEL) { return arr(a)->count() ? arr(a)->at(0) : nullptr; });
    addMethod(c, sel("lastObject"), +[](Object* a, SEL) { return arr(a)->count() ? arr(a)->m_items.back().get() : nullptr; });
    addMethod(c, sel("containsObject:"), +[](Object* a, SEL, Object* o) { return arr(a)->contains(o); });
    addMethod(c, sel("indexOfObject:"), +[](Object* a, SEL, Object* o) {
        long i = arr(a)->indexOf(o);
        return static_cast<unsigned long>(i < 0 ? NSNotFound : i);
    });
    addMethod(c, sel("copy"), +[](Object* a, SEL) { return static_cast<Object*>(NSArray::create(arr(a)->m_items).leak()); });
    addMethod(c, sel("mutableCopy"), +[](Object* a, SEL) { return static_cast<Object*>(NSArray::createMutable(arr(a)->m_items).leak()); });
    addMethod(c, sel("sortedArrayUsingSelector:"), &sortedUsingSelector);
    addMethod(c, sel("isEqual:"), +[](Object* a, SEL, Object* o) {
        if (!isArray(o) || arr(o)->count() != arr(a)->count())
            return false;
        for (size_t i = 0; i < arr(a)->count(); ++i)
            if (!objectsEqual(arr(a)->at(i), arr(o)->at(i)))
                return false;
        return true;
    });
    addClassMethod(c, sel("array"), +[](Class* cls, SEL) {
        auto a = adopt(static_cast<NSArray*>(cls->allocate()));
        return static_cast<Object*>(autorelease(std::move(a)));
    });
    addClassMethod(c, sel("arrayWithArray:"), +[](Class* cls, SEL, Object* other) {
        auto a = adopt(static_cast<NSArray*>(cls->allocate()));
        if (isArray(other))
            a->m_items = arr(other)->m_items;
        return static_cast<Object*>(autorelease(std::move(a)));
    });
}

void NSArray::registerMutableMethods(Class* c)
{
    using namespace rt;
    addMethod(c, sel("addObject:"), +[](Object* a, SEL, Object* o) {
        if (!o)
            fatal("-[NSMutableArray addObject:]: object cannot be nil");
        arr(a)->add(o);
    });
    addMethod(c, sel("insertObject:atIndex:"), +[](Object* a, SEL, Object* o, unsigned long i) {
        if (!o || i > arr(a)->count())
            fatal("-[NSMutableArray insertObject:atIndex:]: bad object or index %lu", i);
        arr(a)->insert(i, o);
    });
    addMethod(c, sel("removeObjectAtIndex:"), +[](Object* a, SEL, unsigned long i) {
        if (i >= arr(a)->count())
            fatal("-[NSMutableArray removeObjectAtIndex:]: index %lu beyond bounds", i);
        arr(a)->m_items.erase(arr(a)->m_items.begin() + static_cast<long>(i));
    });
    addMethod(c, sel("removeObject:"), +[](Object* a, SEL, Object* o) {
        std::erase_if(arr(a)->m_items, [&](const Ref<Object>& x) { return objectsEqual(x.get(), o); });
    });
    addMethod(c, sel("removeObjectsInArray:"), +[](Object* a, SEL, Object* other) {
        if (!isArray(other))
            return;
        Ref<Object> keep(other); // the array may be removing its own elements
        std::erase_if(arr(a)->m_items, [&](const Ref<Object>& x) { return arr(other)->contains(x.get()); });
    });
    addMethod(c, sel("removeAllObjects"), +[](Object* a, SEL) {
        auto old = std::move(arr(a)->m_items);
        arr(a)->m_items.clear();
    });
    addMethod(c, sel("addObjectsFromArray:"), +[](Object* a, SEL, Object* other) {
        if (!isArray(other))
            return;
        arr(a)->addAll(arr(other));
    });
    addMethod(c, sel("setArray:"), +[](Object* a, SEL, Object* other) {
        auto items = isArray(other) ? arr(other)->m_items : std::vector<Ref<Object>> {};
        std::swap(arr(a)->m_items, items);
    });
}

Class* NSArray::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<NSArray>("NSArray", rt::rootClass());
        registerImmutableMethods(c);
        return c;
    }();
    return cls;
}

Class* NSArray::mutableClassObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<NSArray>("NSMutableArray", classObject());
        registerMutableMethods(c);
        return c;
    }();
    return cls;
}

rt::Ref<NSArray> NSArray::create(std::vector<rt::Ref<rt::Object>> items)
{
    auto a = rt::adopt(static_cast<NSArray*>(classObject()->allocate()));
    a->m_items = std::move(items);
    return a;
}

rt::Ref<NSArray> NSArray::createMutable(std::vector<rt::Ref<rt::Object>> items)
{
    auto a = rt::adopt(static_cast<NSArray*>(mutableClassObject()->allocate()));
    a->m_items = std::move(items);
    return a;
}

void NSArray::insert(size_t index, Object* o)
{
    m_items.insert(m_items.begin() + static_cast<long>(index), rt::Ref<Object>(o));
}

void NSArray::addAll(const NSArray* other)
{
    // Copied first: adding an array to itself adds each item once.
    auto items = other->m_items;
    m_items.insert(m_items.end(), items.begin(), items.end());
}

long NSArray::indexOf(Object* o) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (objectsEqual(m_items[i].get(), o))
            return static_cast<long>(i);
    return -1;
}

bool isArray(Object* o) { return rt::isKindOf(o, NSArray::classObject()); }

bool objectsEqual(Object* a, Object* b)
{
    if (a == b)
        return true;
    if (!a || !b)
        return false;
    return rt::send<bool>(a, SELECTOR("isEqual:"), b);
}
