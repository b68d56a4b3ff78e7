#pragma once

#include <span>
#include <utility>

#include "host/runtime/Runtime.h"

// One row of a replacement table: a class, a selector (or a property name) and what to install
// there. The rows are data; one loop installs a group of them (installGroup), so the table that
// lists them is the single account of what the library changes in the host.
//
// The row keeps the implementation type-erased, as the runtime does; the helpers that make rows
// take the implementation and its saved slot with one function type, so a replacement whose
// signature differs from its slot's does not compile, and the type string installed is derived
// from that same type.

namespace tamarind {

// Where a replacement keeps the implementation it displaced, written once while the library
// loads and called through afterwards. Held as the runtime's IMP and converted back to F on use,
// so the hooking call writes an object of the type it was given.
template <class F> class Saved {
public:
    F get() const { return reinterpret_cast<F>(m_imp); }
    template <class... Args> decltype(auto) operator()(Args&&... args) const
    {
        return get()(std::forward<Args>(args)...);
    }
    rt::IMP* slot() { return &m_imp; }

private:
    rt::IMP m_imp { nullptr };
};

struct Replacement {
    enum class Kind { Replace, AddMethod, AddProperty };

    Kind kind;
    const char* className;
    const char* selector; // the property's name for AddProperty
    rt::IMP imp { nullptr };
    const char* types { nullptr };
    rt::IMP* saved { nullptr }; // Replace only
    const char* propertyClass { nullptr }; // AddProperty only
};

// Replaces the class's method for the selector with `replacement`; what it displaced goes to `saved`.
template <class F> Replacement replacing(const char* className, const char* selector, F replacement, Saved<F>& saved)
{
    return { Replacement::Kind::Replace, className, selector, reinterpret_cast<rt::IMP>(replacement),
        rt::ImpSignature<F>::value, saved.slot() };
}

// Adds a method the class lacks.
template <class F> Replacement adding(const char* className, const char* selector, F imp)
{
    return { Replacement::Kind::AddMethod, className, selector, reinterpret_cast<rt::IMP>(imp),
        rt::ImpSignature<F>::value };
}

// Adds a retained, non-atomic object property of the named class, with a getter and a setter that
// store an associated object under the getter's selector.
inline Replacement addingProperty(const char* className, const char* name, const char* propertyClass)
{
    return { Replacement::Kind::AddProperty, className, name, nullptr, nullptr, nullptr, propertyClass };
}

// Installs the rows in order under the group's name. A row whose class the host lacks installs
// nothing; the others are unaffected.
void installGroup(const char* group, std::span<const Replacement> rows);

// Adds the property and its accessors to cls (nothing for a null class); true when it was added.
bool addObjectProperty(rt::Class* cls, const char* name, const char* className);

}
