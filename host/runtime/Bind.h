#pragma once

#include <string>
#include <string_view>
#include <type_traits>

#include "host/runtime/AutoreleasePool.h"
#include "host/runtime/Class.h"
#include "host/runtime/Messaging.h"
#include "host/runtime/Weak.h"

// Binds C++ members of host classes as methods, so a host class can be written as a plain C++
// class with private state and still be reached (and replaced) only through messages.
//
//   rt::bind<&UIView::setFrame>(cls, "setFrame:");                  a member function as a method
//   rt::bindProperty<&UISwitch::m_onTintColor>(cls, "onTintColor");  a field as getter and setter
//   rt::bindProperty<&UISwitch::m_on>(cls, { "on", "isOn" });        with the getter UIKit names
//   rt::bindProperty<&UILabel::m_text, rt::Memory::Copy>(cls, "text");
//   rt::bindReadOnlyProperty<&UIView::m_layer>(cls, "layer");        a getter and no setter
//   rt::bindGetter<&CALayer::m_borderWidth>(cls, "borderWidth");      the getter of a checked setter
//   rt::bindPropertyThen<&UINavigationItem::m_title, &UINavigationItem::changed>(cls, "title");
//                                                          a setter that then tells of the change
//
// The methods' type strings come from the member's type. A field bound as a property is also
// registered as the class's property, with attributes as the Objective-C compiler writes them
// ("T@,&,N" for a retained object, "TB,R,N,GisOn" for a read-only BOOL with its own getter), so
// the runtime can say what a property holds and how it keeps it.
//
// The field's type decides what the property holds and the default memory rule:
//   Ref<T>    an object, retained (or copied, with Memory::Copy). When T is a class of its own
//             (it has a classObject()), a value of another class is stored as nil, so a field
//             typed as a colour never holds anything but a colour.
//   Weak<T>   an object, weak: it reads nil once the object is gone.
//   T*        an object, assigned and not retained (an owner's back-pointer).
//   other     a value (bool, long, double, a geometry type, an enum), assigned.

namespace rt {

template<auto Fn>
struct MemberThunk;

template<class C, class R, class... A, R (C::*Fn)(A...)>
struct MemberThunk<Fn> {
    static R call(Object* self, SEL, A... args) { return (static_cast<C*>(self)->*Fn)(args...); }
};
template<class C, class R, class... A, R (C::*Fn)(A...) const>
struct MemberThunk<Fn> {
    static R call(Object* self, SEL, A... args) { return (static_cast<const C*>(self)->*Fn)(args...); }
};

template<auto Fn>
bool bind(Class* cls, std::string_view name)
{
    return addMethod(cls, sel(name), &MemberThunk<Fn>::call);
}

// How a property's setter keeps an object, as the property's declaration says.
enum class Memory { Assign, Retain, Copy, Weak };

// A property's name and, when it differs from the name, its getter's ("on" and "isOn").
struct PropertyName {
    PropertyName(const char* name)
        : name(name)
        , getter(name)
    {
    }
    PropertyName(const char* name, const char* getter)
        : name(name)
        , getter(getter)
    {
    }
    std::string_view name;
    std::string_view getter;

    // "on" -> "setOn:".
    std::string setter() const;
    // The attribute string of a property of this name with `encoding`, `memory` and `access`.
    std::string attributes(std::string_view encoding, Memory, bool readOnly) const;
};

namespace binding {

template<class T>
struct ClassOf;
template<class C, class T>
struct ClassOf<T C::*> {
    using owner = C;
    using field = T;
};

template<class T, class = void>
struct HasClassObject : std::false_type { };
template<class T>
struct HasClassObject<T, std::void_t<decltype(T::classObject())>> : std::true_type { };

// What a field of type T is as a property: the type its getter answers and its setter takes, the
// memory rules it allows and the rule it gets when none is named.
template<class T>
struct FieldKind {
    using Value = T;
    static constexpr bool isObject = false;
    static constexpr Memory defaultMemory = Memory::Assign;
    static constexpr bool allows(Memory m) { return m == Memory::Assign; }
};
template<class T>
struct FieldKind<Ref<T>> {
    using Value = T*;
    static constexpr bool isObject = true;
    static constexpr Memory defaultMemory = Memory::Retain;
    static constexpr bool allows(Memory m) { return m == Memory::Retain || m == Memory::Copy; }
};
template<class T>
struct FieldKind<Weak<T>> {
    using Value = T*;
    static constexpr bool isObject = true;
    static constexpr Memory defaultMemory = Memory::Weak;
    static constexpr bool allows(Memory m) { return m == Memory::Weak; }
};
template<class T>
    requires std::is_base_of_v<Object, T>
struct FieldKind<T*> {
    using Value = T*;
    static constexpr bool isObject = true;
    static constexpr Memory defaultMemory = Memory::Assign;
    static constexpr bool allows(Memory m) { return m == Memory::Assign; }
};

// A value of the wrong class reads as nil, for fields typed with a class of their own.
template<class T>
T* ofClass(Object* value)
{
    if constexpr (std::is_same_v<T, Object> || !HasClassObject<T>::value)
        return static_cast<T*>(value);
    else
        return isKindOf(value, T::classObject()) ? static_cast<T*>(value) : nullptr;
}

template<class T>
Ref<T> copied(Object* value)
{
    if (!value)
        return nullptr;
    Ref<Object> copy = adopt(send<Object*>(value, SELECTOR("copy")));
    return ofClass<T>(copy.get());
}

template<class T>
struct Stored;
template<class T>
struct Stored<Ref<T>> {
    static T* get(const Ref<T>& field) { return field.get(); }
    template<Memory M>
    static void set(Ref<T>& field, Object* value)
    {
        if constexpr (M == Memory::Copy)
            field = copied<T>(value);
        else
            field = ofClass<T>(value);
    }
};
template<class T>
struct Stored<Weak<T>> {
    // A weak property's value is handed to the pool, so that it outlives the call that read it
    // even when its last owner lets it go meanwhile.
    static T* get(const Weak<T>& field) { return autorelease(field.load()); }
    template<Memory>
    static void set(Weak<T>& field, Object* value) { field = ofClass<T>(value); }
};
template<class T>
struct Stored<T*> {
    static T* get(T* field) { return field; }
    template<Memory>
    static void set(T*& field, Object* value) { field = ofClass<T>(value); }
};

template<auto Field, Memory M, auto DidSet = nullptr>
struct FieldThunks {
    using Owner = typename ClassOf<decltype(Field)>::owner;
    using T = typename ClassOf<decltype(Field)>::field;
    using Value = typename FieldKind<T>::Value;

    static Value get(Object* self, SEL)
    {
        const T& field = static_cast<const Owner*>(self)->*Field;
        if constexpr (FieldKind<T>::isObject)
            return Stored<T>::get(field);
        else
            return field;
    }
    static void set(Object* self, SEL, Value value)
    {
        T& field = static_cast<Owner*>(self)->*Field;
        if constexpr (FieldKind<T>::isObject)
            Stored<T>::template set<M>(field, value);
        else
            field = value;
        if constexpr (!std::is_null_pointer_v<decltype(DidSet)>)
            (static_cast<Owner*>(self)->*DidSet)();
    }
};

template<class T>
inline constexpr Memory defaultMemory = FieldKind<T>::defaultMemory;

template<auto Field>
using FieldType = typename ClassOf<decltype(Field)>::field;

}

namespace binding {

template<auto Field, Memory M, auto DidSet>
bool bindField(Class* cls, PropertyName name)
{
    using T = FieldType<Field>;
    using Thunks = FieldThunks<Field, M, DidSet>;
    static_assert(FieldKind<T>::allows(M), "this memory rule does not fit the field's type");
    constexpr std::string_view encoding = Encoding<typename FieldKind<T>::Value>::value;
    bool added = addProperty(cls, name.name, name.attributes(encoding, M, false));
    added = addMethod(cls, sel(name.getter), &Thunks::get) && added;
    return addMethod(cls, sel(name.setter()), &Thunks::set) && added;
}

}

// Registers the field as the property `name`: a getter, a setter and the property's attributes.
// Returns false when the class already has either method or the property.
template<auto Field, Memory M = binding::defaultMemory<binding::FieldType<Field>>>
bool bindProperty(Class* cls, PropertyName name)
{
    return binding::bindField<Field, M, nullptr>(cls, name);
}

// As bindProperty, with a setter that then calls the member function DidSet of the object, for a
// property whose change must be told (a layout to redo, an owner to inform).
template<auto Field, auto DidSet, Memory M = binding::defaultMemory<binding::FieldType<Field>>>
bool bindPropertyThen(Class* cls, PropertyName name)
{
    return binding::bindField<Field, M, DidSet>(cls, name);
}

// Registers only the field's getter, for a property whose setter checks or adjusts what it is
// given and is written out as a method of its own.
template<auto Field>
bool bindGetter(Class* cls, std::string_view name)
{
    using Thunks = binding::FieldThunks<Field, binding::defaultMemory<binding::FieldType<Field>>>;
    return addMethod(cls, sel(name), &Thunks::get);
}

// Registers the field as a read-only property: a getter and no setter, so a setter sent to the
// object finds nothing, as for a readonly property in Objective-C.
template<auto Field>
bool bindReadOnlyProperty(Class* cls, PropertyName name)
{
    using T = binding::FieldType<Field>;
    using Thunks = binding::FieldThunks<Field, binding::defaultMemory<T>>;
    constexpr std::string_view encoding = Encoding<typename binding::FieldKind<T>::Value>::value;
    bool added = addProperty(cls, name.name, name.attributes(encoding, binding::defaultMemory<T>, true));
    return addMethod(cls, sel(name.getter), &Thunks::get) && added;
}

}
