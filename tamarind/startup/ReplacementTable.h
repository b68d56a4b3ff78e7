#pragma once

#include <string_view>

#include "host/platform/Substrate.h"
#include "host/runtime/Runtime.h"

// The replacements and additions installed at start-up, as one table per constructor in
// installation order. Each row names a class and what it installs; a class the host lacks
// installs nothing.

namespace tamarind {

struct Replacement {
    const char* className;
    const char* what; // a selector or a property name, for reading the table
    void (*install)(rt::Class*);
};

enum class ReplacementGroup { First, Second };

void installReplacements(ReplacementGroup);

// Installs `replacement` for `selector` on cls, saving what it displaced in `slot`.
template<class F>
void replace(rt::Class* cls, const char* selector, F replacement, F* slot)
{
    platform::hookMessage(cls, rt::sel(selector), replacement, slot);
}

// Adds a method the class lacks.
template<class F>
void add(rt::Class* cls, const char* selector, F imp)
{
    if (cls)
        rt::addMethod(cls, rt::sel(selector), imp);
}

// Adds a retained, non-atomic object property whose accessors store an associated object under
// the getter's selector.
void addObjectProperty(rt::Class* cls, std::string_view name, std::string_view className);

}
