#pragma once

#include <string_view>

namespace rt {

// Selectors are interned: two selectors are equal exactly when their pointers are.
struct Selector {
    const char* name;
};
using SEL = const Selector*;

SEL sel(std::string_view name);
inline const char* selName(SEL s) { return s ? s->name : "(null)"; }

}
