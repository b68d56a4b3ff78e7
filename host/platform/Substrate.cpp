#include "host/platform/Substrate.h"

#include <cstdio>

namespace platform {

bool hookMessageRaw(rt::Class* cls, rt::SEL selector, rt::IMP replacement, const char* types, rt::IMP* slot)
{
    if (!cls || !selector || !replacement)
        return false;
    rt::Method* existing = cls->lookup(selector);
    if (!existing) {
        std::fprintf(stderr, "MSHookMessageEx: -[%s %s] not found\n", cls->name(), rt::selName(selector));
        return false;
    }
    if (existing->types != types)
        rt::fatal("MSHookMessageEx: replacement for -[%s %s] has type string \"%s\", the method has \"%s\"",
            cls->name(), rt::selName(selector), types, existing->types.c_str());
    if (cls->ownMethod(selector))
        return rt::addMethodRaw(cls, selector, replacement, types, true, slot);
    // Inherited: the saved implementation is the superclass's, and the replacement is added to
    // this class only.
    if (slot)
        *slot = existing->imp.load(std::memory_order_acquire);
    return rt::addMethodRaw(cls, selector, replacement, types, false);
}

}
