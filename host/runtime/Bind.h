#pragma once

#include "host/runtime/Class.h"

// Binds C++ member functions of host classes as methods, so a host class can be written as a
// plain C++ class and still be reached (and replaced) only through messages:
//
//   rt::bind<&UIView::setFrame>(cls, "setFrame:");
//
// The method's type string comes from the member function's signature.

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

}
