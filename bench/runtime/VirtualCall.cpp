#include "bench/runtime/VirtualAnchor.h"

namespace bench {

// Kept apart from the concrete class: seeing a single override, the compiler would otherwise
// compare the vtable slot against it and call it directly, which is no longer a virtual call.
[[gnu::noinline]] long virtualCall(const AnchorBase* object)
{
    return object->x();
}

[[gnu::noinline]] const void* emptyCall(const void* argument)
{
    return argument;
}

}
