#pragma once

#include <atomic>
#include <cstdint>
#include <utility>

// The object model. Every runtime object derives from Object: it knows its class, carries an
// intrusive reference count and, on demand, weak-reference and associated-object bookkeeping.
// Objects are created through their class (Class::allocate) so that subclasses defined at run
// time get room for their own instance variables after the C++ part.

namespace rt {

class Class;
struct Selector;
using SEL = const Selector*;
struct AssociationMap;

class Object {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object();

    Class* isa() const { return m_isa.load(std::memory_order_relaxed); }
    void setIsa(Class* cls) { m_isa.store(cls, std::memory_order_relaxed); }

    void retain();
    void release();
    // Takes a reference unless the object is already being deallocated; weak loads rely on it.
    bool tryRetain();
    uint32_t retainCount() const { return m_refs.load(std::memory_order_relaxed); }

    bool isImmortal() const { return m_flags.load(std::memory_order_relaxed) & Immortal; }
    void makeImmortal() { m_flags.fetch_or(Immortal, std::memory_order_relaxed); }

private:
    friend class Class;
    friend class WeakTable;
    friend void setAssociatedObject(Object*, const void*, Object*, int);
    friend Object* getAssociatedObject(Object*, const void*);
    friend void removeAssociatedObjects(Object*);
    friend void destroyObject(Object*);

    enum Flag : uint32_t { Immortal = 1, WeaklyReferenced = 2, Deallocating = 4 };

    std::atomic<Class*> m_isa { nullptr };
    std::atomic<uint32_t> m_refs { 1 };
    std::atomic<uint32_t> m_flags { 0 };
    std::atomic<AssociationMap*> m_associations { nullptr };
};

using id = Object*;

// Frees an object whose count reached zero. Called by the root class's dealloc method.
void destroyObject(Object*);

// A strong reference. Adopting a +1 reference (what allocate and copy return) uses adopt().
template<class T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) { }
    Ref(T* ptr)
        : m_ptr(ptr)
    {
        if (m_ptr)
            m_ptr->retain();
    }
    Ref(const Ref& other)
        : Ref(other.m_ptr)
    {
    }
    Ref(Ref&& other) noexcept
        : m_ptr(std::exchange(other.m_ptr, nullptr))
    {
    }
    template<class U>
    Ref(const Ref<U>& other)
        : Ref(static_cast<T*>(other.get()))
    {
    }
    template<class U>
    Ref(Ref<U>&& other)
        : m_ptr(static_cast<T*>(other.leak()))
    {
    }
    ~Ref()
    {
        if (m_ptr)
            m_ptr->release();
    }
    Ref& operator=(Ref other) noexcept
    {
        std::swap(m_ptr, other.m_ptr);
        return *this;
    }

    static Ref adopt(T* ptr)
    {
        Ref ref;
        ref.m_ptr = ptr;
        return ref;
    }

    T* get() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    T& operator*() const { return *m_ptr; }
    explicit operator bool() const { return m_ptr; }
    operator T*() const { return m_ptr; }
    [[nodiscard]] T* leak() { return std::exchange(m_ptr, nullptr); }

private:
    T* m_ptr { nullptr };
};

template<class T>
Ref<T> adopt(T* ptr) { return Ref<T>::adopt(ptr); }

}
