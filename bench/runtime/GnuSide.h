#pragma once

// The same shapes on GCC's Objective-C runtime, compiled from GnuSide.m. Objects cross this
// boundary as untyped pointers so that the C++ side needs none of the runtime's headers.
// Every function is out of line, as the wrappers on our side are, so both sides pay one call.

#ifdef __cplusplus
extern "C" {
#endif

struct GnuSubject {
    void* target;
    void* argument;
};

// Builds the target and an argument object and installs the replacement on the target's
// -hooked. Call once before measuring.
struct GnuSubject gnuSetUp(void);

// [target x]: a send through objc_msg_lookup with a warm dispatch table.
long gnuCachedSend(void* target);
// [target same:argument]
void* gnuSendWithObject(void* target, void* argument);
// [nil x]
long gnuNilSend(void* nothing);
// [target hooked]: reaches the replacement, which calls the original through its saved slot.
long gnuHookedSend(void* target);
// objc_getClass("BenchTarget")
void* gnuClassLookup(void);

#ifdef __cplusplus
}
#endif
