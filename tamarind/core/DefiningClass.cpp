#include "tamarind/core/DefiningClass.h"

namespace tamarind {

rt::Class* definingClass(rt::Object* self, rt::SEL selector, rt::IMP imp)
{
    for (rt::Class* c = self ? self->isa() : nullptr; c; c = c->superclass()) {
        rt::Method* m = c->ownMethod(selector);
        if (m && m->imp.load(std::memory_order_acquire) == imp)
            return c;
    }
    return nullptr;
}

}
