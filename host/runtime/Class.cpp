#include "host/runtime/Class.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <shared_mutex>

#include "host/runtime/Fatal.h"
#include "host/runtime/Messaging.h"
#include "host/runtime/RuntimeLock.h"

namespace rt {

std::atomic<std::uint64_t> g_methodGeneration { 1 };

namespace {

// Classes are never removed and a class is complete before it is published (a release store into
// its slot), so readers probe the name table without a lock and find every class whole. Writers
// hold the runtime lock, so that finding a name free and publishing a class under it are one step.
constexpr std::size_t kClassTableSize = 1 << 14;

std::atomic<Class*>* classTable()
{
    static auto* table = new std::atomic<Class*>[kClassTableSize] {};
    return table;
}

std::size_t hashName(std::string_view name)
{
    std::size_t h = 1469598103934665603ull;
    for (unsigned char c : name)
        h = (h ^ c) * 1099511628211ull;
    return h;
}

// Locking: none needed; writers call it under the runtime lock before they publish.
Class* findClass(std::string_view name)
{
    auto* table = classTable();
    for (std::size_t i = hashName(name) & (kClassTableSize - 1);; i = (i + 1) & (kClassTableSize - 1)) {
        Class* cls = table[i].load(std::memory_order_acquire);
        if (!cls)
            return nullptr;
        if (name == cls->name())
            return cls;
    }
}

// Makes a complete class visible by name. Readers use what they find without the lock (its
// name, superclass, size, constructor and a runtime class's layout), so all of it is in place,
// and its methods too, before it comes here.
// Locking: the caller holds the runtime lock exclusively.
void publishClassLocked(Class* cls)
{
    auto* table = classTable();
    std::size_t i = hashName(cls->name()) & (kClassTableSize - 1);
    std::size_t probes = 0;
    while (table[i].load(std::memory_order_relaxed)) {
        i = (i + 1) & (kClassTableSize - 1);
        if (++probes == kClassTableSize / 2)
            fatal("too many classes registered");
    }
    table[i].store(cls, std::memory_order_release);
}

std::size_t alignUp(std::size_t n, std::size_t a) { return (n + a - 1) / a * a; }

// A variable can be placed at an alignment that is a power of two no wider than an instance's.
bool isUsableAlignment(std::size_t a) { return a && !(a & (a - 1)) && a <= kObjectAlignment; }

}

Class* getClass(std::string_view name) { return findClass(name); }

Class* getMetaclass(std::string_view name)
{
    Class* cls = getClass(name);
    return cls ? cls->metaclass() : nullptr;
}

bool Class::isSubclassOf(const Class* other) const
{
    for (const Class* c = this; c; c = c->m_superclass)
        if (c == other)
            return true;
    return false;
}

Method* Class::ownMethod(SEL name) const
{
    std::shared_lock guard(runtimeLock());
    auto it = m_methods.find(name);
    return it == m_methods.end() ? nullptr : it->second;
}

Method* Class::lookup(SEL name) const
{
    std::shared_lock guard(runtimeLock());
    for (const Class* c = this; c; c = c->m_superclass) {
        auto it = c->m_methods.find(name);
        if (it != c->m_methods.end())
            return it->second;
    }
    return nullptr;
}

const Ivar* Class::ivar(std::string_view name) const
{
    std::shared_lock guard(runtimeLock());
    for (const Class* c = this; c; c = c->m_superclass)
        for (auto& v : c->m_ivars)
            if (v.name == name)
                return &v;
    return nullptr;
}

const Property* Class::property(std::string_view name) const
{
    std::shared_lock guard(runtimeLock());
    for (const Class* c = this; c; c = c->m_superclass)
        for (auto& p : c->m_properties)
            if (p.name == name)
                return &p;
    return nullptr;
}

Object* Class::allocate()
{
    if (m_isMeta)
        fatal("cannot allocate an instance of metaclass %s", name());
    void* memory = ::operator new(m_instanceSize, std::align_val_t { kObjectAlignment });
    std::memset(memory, 0, m_instanceSize);
    Object* obj = m_construct(memory);
    TAM_ASSERT(static_cast<void*>(obj) == memory);
    obj->setIsa(this);
    return obj;
}

void destroyObject(Object* obj)
{
    removeAssociatedObjects(obj);
    for (Class* c = obj->isa(); c; c = c->m_superclass) {
        if (!c->m_hasRuntimeIvars)
            continue;
        for (auto& v : c->m_ivars) {
            if (v.ownedByRuntime && v.types == "@") {
                auto** slot = ivarPointer<Object*>(obj, &v);
                if (Object* held = std::exchange(*slot, nullptr))
                    held->release();
            }
        }
    }
    obj->~Object();
    ::operator delete(static_cast<void*>(obj), std::align_val_t { kObjectAlignment });
}

Class* Class::create(std::string_view name, Class* superclass, std::size_t cppSize, Constructor construct)
{
    auto* meta = new Class;
    meta->m_name = std::string(name);
    meta->m_isMeta = true;
    auto* cls = new Class;
    cls->m_name = std::string(name);
    cls->m_superclass = superclass;
    cls->m_cppSize = cppSize;
    cls->m_instanceSize
        = alignUp(std::max(cppSize, superclass ? superclass->m_instanceSize : cppSize), kObjectAlignment);
    cls->m_construct = construct;
    cls->setIsa(meta);
    cls->makeImmortal();
    meta->makeImmortal();

    // The root metaclass inherits from the root class; every metaclass is an instance of the
    // root metaclass.
    meta->m_superclass = superclass ? superclass->metaclass() : cls;
    Class* rootMeta = meta;
    for (Class* c = superclass; c; c = c->m_superclass)
        rootMeta = c->metaclass();
    meta->setIsa(rootMeta);
    return cls;
}

Class* defineClass(std::string_view name, Class* superclass, std::size_t cppSize, Class::Constructor construct)
{
    std::unique_lock guard(runtimeLock());
    if (Class* existing = findClass(name))
        return existing;
    Class* cls = Class::create(name, superclass, cppSize, construct);
    publishClassLocked(cls);
    return cls;
}

bool addMethodRaw(Class* cls, SEL name, IMP imp, std::string_view types, bool replace, IMP* previous)
{
    if (previous)
        *previous = nullptr;
    if (!cls || !name || !imp)
        return false;
    {
        std::unique_lock guard(runtimeLock());
        auto it = cls->m_methods.find(name);
        if (it != cls->m_methods.end()) {
            Method* m = it->second;
            if (previous)
                *previous = m->imp.load(std::memory_order_relaxed);
            if (!replace)
                return false;
            m->imp.store(imp, std::memory_order_release);
        } else {
            cls->m_methods.emplace(name, new Method { name, std::string(types), imp });
        }
        g_methodGeneration.fetch_add(1, std::memory_order_release);
    }
    // The table changed before the generation moved on, and the sites are cleared after: a
    // lookup that raced with the change either sees the new generation and caches nothing, or
    // cached before the clearing and is cleared with the rest.
    invalidateCallSites();
    return true;
}

bool addIvarRaw(Class* cls, std::string_view name, std::string_view types, std::ptrdiff_t offset, std::size_t size,
    std::size_t alignment)
{
    if (!cls || !isUsableAlignment(alignment) || offset < 0 || static_cast<std::size_t>(offset) % alignment)
        return false;
    std::unique_lock guard(runtimeLock());
    if (static_cast<std::size_t>(offset) + size > cls->m_instanceSize)
        return false;
    for (auto& v : cls->m_ivars)
        if (v.name == name)
            return false;
    cls->m_ivars.push_back({ std::string(name), std::string(types), offset, size, false });
    return true;
}

bool addProperty(Class* cls, std::string_view name, std::string_view attributes)
{
    if (!cls)
        return false;
    std::unique_lock guard(runtimeLock());
    for (auto& p : cls->m_properties)
        if (p.name == name)
            return false;
    cls->m_properties.push_back({ std::string(name), std::string(attributes) });
    return true;
}

ClassBuilder::ClassBuilder(std::string_view name, Class* superclass)
    : m_name(name)
    , m_superclass(superclass)
{
}

void ClassBuilder::addIvar(std::string_view name, std::string_view types, std::size_t size, std::size_t alignment)
{
    m_ivars.push_back({ std::string(name), std::string(types), size, alignment });
}

Class* ClassBuilder::registerClass()
{
    if (!m_superclass)
        return nullptr;
    for (auto& v : m_ivars)
        if (!isUsableAlignment(v.alignment))
            return nullptr;
    // The class is built whole under the lock and only then published, so whoever finds it by
    // name finds it complete, and of several threads registering one name exactly one builds it.
    std::unique_lock guard(runtimeLock());
    if (findClass(m_name))
        return nullptr;
    Class* cls = Class::create(m_name, m_superclass, m_superclass->m_cppSize, m_superclass->m_construct);
    layOutIvarsLocked(cls);
    // No call site can have cached anything for a class nobody has seen, so adding its methods
    // needs no invalidation.
    for (auto& m : m_methods) {
        Method*& slot = (m.classMethod ? cls->metaclass() : cls)->m_methods[m.name];
        if (slot)
            slot->imp.store(m.imp, std::memory_order_relaxed);
        else
            slot = new Method { m.name, m.types, m.imp };
    }
    publishClassLocked(cls);
    return cls;
}

// Places the new variables after the superclass's instance, each at its alignment.
// Locking: the caller holds the runtime lock exclusively.
void ClassBuilder::layOutIvarsLocked(Class* cls) const
{
    std::size_t at = m_superclass->m_instanceSize;
    for (auto& v : m_ivars) {
        at = alignUp(at, v.alignment);
        cls->m_ivars.push_back({ v.name, v.types, static_cast<std::ptrdiff_t>(at), v.size, true });
        at += v.size;
    }
    cls->m_hasRuntimeIvars = !m_ivars.empty();
    cls->m_instanceSize = alignUp(std::max(at, m_superclass->m_instanceSize), kObjectAlignment);
}

const Ivar* getInstanceVariable(const Class* cls, std::string_view name) { return cls ? cls->ivar(name) : nullptr; }

Object* getIvarObject(const Object* obj, const Ivar* ivar)
{
    if (!obj || !ivar)
        return nullptr;
    Object* value;
    std::memcpy(&value, reinterpret_cast<const char*>(obj) + ivar->offset, sizeof value);
    return value;
}

void setIvarObject(Object* obj, const Ivar* ivar, Object* value)
{
    if (!obj || !ivar)
        return;
    if (value)
        value->retain();
    Object* old;
    char* slot = reinterpret_cast<char*>(obj) + ivar->offset;
    std::memcpy(&old, slot, sizeof old);
    std::memcpy(slot, &value, sizeof value);
    if (old)
        old->release();
}

}
