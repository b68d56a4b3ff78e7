#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/runtime/Fatal.h"
#include "host/runtime/Object.h"
#include "host/runtime/Selector.h"
#include "host/runtime/TypeEncoding.h"

namespace rt {

using IMP = void (*)();

struct Method {
    SEL name;
    std::string types;
    std::atomic<IMP> imp;
};

struct Ivar {
    std::string name;
    std::string types;
    std::ptrdiff_t offset;
    std::size_t size;
    // True for variables added by a runtime-defined class: the runtime zeroes them and releases
    // the objects they hold. Host variables are C++ members and their class's destructor owns them.
    bool ownedByRuntime;
};

struct Property {
    std::string name;
    std::string attributes;
};

// A class is itself an object: its isa is the metaclass, whose methods are the class methods.
// Metaclasses inherit from the superclass's metaclass and the root metaclass from the root class,
// so every class answers the root class's instance methods too.
class Class final : public Object {
public:
    using Constructor = Object* (*)(void* memory);

    const char* name() const { return m_name.c_str(); }
    Class* superclass() const { return m_superclass; }
    Class* metaclass() const { return isa(); }
    bool isMetaclass() const { return m_isMeta; }
    std::size_t instanceSize() const { return m_instanceSize; }

    bool isSubclassOf(const Class* other) const;

    // Allocates and constructs a new instance with a reference count of one.
    Object* allocate();

    // Looks a method up on this class and then its superclasses; null when none answers.
    Method* lookup(SEL) const;
    // A method defined on this class itself, not inherited.
    Method* ownMethod(SEL) const;

    const Ivar* ivar(std::string_view name) const;
    const std::vector<Ivar>& ivars() const { return m_ivars; }
    const Property* property(std::string_view name) const;

private:
    friend Class* defineClass(std::string_view, Class*, std::size_t, Constructor);
    friend class ClassBuilder;
    friend bool addMethodRaw(Class*, SEL, IMP, std::string_view, bool, IMP*);
    friend bool addIvarRaw(Class*, std::string_view, std::string_view, std::ptrdiff_t, std::size_t, std::size_t);
    friend bool addProperty(Class*, std::string_view, std::string_view);
    friend void destroyObject(Object*);

    Class() = default;
    // A class and its metaclass, not yet findable by name.
    static Class* create(std::string_view name, Class* superclass, std::size_t cppSize, Constructor);

    std::string m_name;
    Class* m_superclass { nullptr };
    bool m_isMeta { false };
    bool m_hasRuntimeIvars { false };
    std::size_t m_instanceSize { 0 };
    std::size_t m_cppSize { 0 };
    Constructor m_construct { nullptr };
    std::unordered_map<SEL, Method*> m_methods;
    std::vector<Ivar> m_ivars;
    std::vector<Property> m_properties;
};

// The change counter: every added or replaced method moves it on, so a lookup can tell that a
// table changed while it ran.
extern std::atomic<std::uint64_t> g_methodGeneration;

// Registers a class backed by a C++ type of `cppSize` bytes built by `construct`. Returns the
// existing class when the name is taken.
Class* defineClass(std::string_view name, Class* superclass, std::size_t cppSize, Class::Constructor construct);
Class* getClass(std::string_view name);
Class* getMetaclass(std::string_view name);
inline Class* classOf(const Object* obj) { return obj ? obj->isa() : nullptr; }

template<class T>
Object* constructInPlace(void* memory) { return new (memory) T(); }

// Every instance starts at this alignment, so no instance variable can ask for more.
inline constexpr std::size_t kObjectAlignment = 16;

// Creates a C++-typed object of class cls with constructor arguments, in memory that
// destroyObject can free. For objects whose type is not the class's own (blocks, for one).
template<class T, class... A>
Ref<T> createObject(Class* cls, A&&... args)
{
    void* memory = ::operator new(sizeof(T), std::align_val_t { kObjectAlignment });
    T* obj = new (memory) T(std::forward<A>(args)...);
    obj->setIsa(cls);
    return adopt(obj);
}

// Defines a class backed by the C++ type T (which must derive from Object).
template<class T>
Class* defineCppClass(std::string_view name, Class* superclass)
{
    static_assert(std::is_base_of_v<Object, T>);
    return defineClass(name, superclass, sizeof(T), &constructInPlace<T>);
}

// Adds (or, with replace, replaces) a method; the old implementation goes to `previous`.
// Returns false when the method exists and replace is off.
bool addMethodRaw(Class*, SEL, IMP, std::string_view types, bool replace, IMP* previous = nullptr);

template<class F>
bool addMethod(Class* cls, SEL name, F imp)
{
    return addMethodRaw(cls, name, reinterpret_cast<IMP>(imp), ImpSignature<F>::value, false);
}
template<class F>
IMP replaceMethod(Class* cls, SEL name, F imp)
{
    IMP previous = nullptr;
    addMethodRaw(cls, name, reinterpret_cast<IMP>(imp), ImpSignature<F>::value, true, &previous);
    return previous;
}
// Class methods live on the metaclass.
template<class F>
bool addClassMethod(Class* cls, SEL name, F imp)
{
    return addMethod(cls->metaclass(), name, imp);
}

// Instance variables. Host classes register their C++ members by offset; classes defined at run
// time get room after their superclass's instance (ClassBuilder). A variable is refused when its
// name is taken, its alignment is not a power of two no wider than an instance's, its offset is
// not a multiple of its alignment, or it does not lie inside the instance.
bool addIvarRaw(Class*, std::string_view name, std::string_view types, std::ptrdiff_t offset, std::size_t size,
    std::size_t alignment);
bool addProperty(Class*, std::string_view name, std::string_view attributes);

template<class T>
struct IvarEncoding : Encoding<T> { };
template<class T>
struct IvarEncoding<Ref<T>> {
    static constexpr std::string_view value = "@";
};

// Registers a host class's C++ member as an instance variable. The member's place is fixed when
// the host is compiled, so a registration that fails is a fault of the host and stops it.
#define TAM_HOST_IVAR(cls, Type, member, ivarName)                                                           \
    TAM_ASSERT(::rt::addIvarRaw(cls, ivarName, ::rt::IvarEncoding<decltype(Type::member)>::value,           \
        offsetof(Type, member), sizeof(Type::member), alignof(decltype(Type::member))))

// Builds a class at run time as a subclass of an existing one, the way objc_allocateClassPair
// and objc_registerClassPair do.
class ClassBuilder {
public:
    ClassBuilder(std::string_view name, Class* superclass);
    template<class T>
    ClassBuilder& ivar(std::string_view name)
    {
        addIvar(name, IvarEncoding<T>::value, sizeof(T), alignof(T));
        return *this;
    }
    template<class F>
    ClassBuilder& method(std::string_view name, F imp)
    {
        m_methods.push_back({ sel(name), reinterpret_cast<IMP>(imp), std::string(ImpSignature<F>::value), false });
        return *this;
    }
    template<class F>
    ClassBuilder& classMethod(std::string_view name, F imp)
    {
        m_methods.push_back({ sel(name), reinterpret_cast<IMP>(imp), std::string(ImpSignature<F>::value), true });
        return *this;
    }
    // Registers the class, complete, as objc_allocateClassPair and objc_registerClassPair do
    // together; null when the superclass is missing, an instance variable's alignment cannot be
    // met, or the name is taken (of several threads registering one name, one gets the class).
    Class* registerClass();

private:
    void layOutIvarsLocked(Class*) const;
    void addIvar(std::string_view name, std::string_view types, std::size_t size, std::size_t alignment);
    struct PendingMethod {
        SEL name;
        IMP imp;
        std::string types;
        bool classMethod;
    };
    struct PendingIvar {
        std::string name, types;
        std::size_t size, alignment;
    };
    std::string m_name;
    Class* m_superclass;
    std::vector<PendingIvar> m_ivars;
    std::vector<PendingMethod> m_methods;
};

// Instance variable access by name, as object_getInstanceVariable and object_setIvar do.
const Ivar* getInstanceVariable(const Class*, std::string_view name);
Object* getIvarObject(const Object*, const Ivar*);
// Stores a strong reference: retains the new value and releases the old one.
void setIvarObject(Object*, const Ivar*, Object*);
template<class T>
T* ivarPointer(Object* obj, const Ivar* ivar)
{
    return reinterpret_cast<T*>(reinterpret_cast<char*>(obj) + ivar->offset);
}

}
