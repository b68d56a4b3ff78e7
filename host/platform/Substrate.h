#pragma once

#include "host/runtime/Class.h"
#include "host/runtime/Fatal.h"

// The MSHookMessageEx stand-in. Installs `replacement` as the implementation of `selector` on
// `cls` and stores the implementation it displaced in `*slot`. When cls only inherits the method,
// the displaced implementation is the inherited one and the replacement is added to cls alone,
// so sibling classes keep theirs. A null class, or a selector nothing answers, installs nothing.
// The replacement's signature must match the method's; a mismatch stops the process.

namespace platform {

bool hookMessageRaw(rt::Class* cls, rt::SEL selector, rt::IMP replacement, const char* types, rt::IMP* slot);

template<class F>
bool hookMessage(rt::Class* cls, rt::SEL selector, F replacement, F* slot)
{
    rt::IMP previous = nullptr;
    bool installed = hookMessageRaw(cls, selector, reinterpret_cast<rt::IMP>(replacement),
        rt::ImpSignature<F>::value, &previous);
    if (installed && slot)
        *slot = reinterpret_cast<F>(previous);
    return installed;
}

}
