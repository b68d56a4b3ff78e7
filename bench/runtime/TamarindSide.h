#pragma once

#include "host/runtime/Runtime.h"

// Our runtime's side of the comparison: one out-of-line function per shape, each doing what a
// call site in the library does, so the measured body cannot be folded into the benchmark loop.

namespace bench {

struct TamarindSubject {
    rt::Ref<rt::Object> target;
    rt::Ref<rt::Object> argument;
};

// Registers BenchTarget, hooks its -hooked, attaches an associated object and warms every
// call site once. Call once before measuring.
TamarindSubject setUpTamarind();

long tamCachedSend(rt::Object* target);
rt::Object* tamSendWithObject(rt::Object* target, rt::Object* argument);
long tamNilSend(rt::Object* nothing);
// Reaches the replacement installed by platform::hookMessage, which calls the original through
// its saved slot.
long tamHookedSend(rt::Object* target);
rt::Class* tamClassLookup();
rt::Object* tamAssociatedRead(rt::Object* target);

}
