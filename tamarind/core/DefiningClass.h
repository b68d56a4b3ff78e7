#pragma once

#include "host/runtime/Runtime.h"

namespace tamarind {

// The class in the receiver's chain whose own method for the selector is `imp`: the class a
// [super ...] written inside that implementation starts above. An implementation shared by
// several classes, or one the receiver reaches from a subclass, finds its own class this way.
rt::Class* definingClass(rt::Object* self, rt::SEL, rt::IMP imp);

template <class F> rt::Class* definingClass(rt::Object* self, rt::SEL selector, F imp)
{
    return definingClass(self, selector, reinterpret_cast<rt::IMP>(imp));
}

}
