#pragma once

#include "host/runtime/Runtime.h"

// NSRunLoop: the object clients pass to addToRunLoop:forMode:. There is one run loop in the host,
// the main one (RunLoop), so +mainRunLoop and +currentRunLoop on the main thread answer the same
// object.
class NSRunLoop final : public rt::Object {
public:
    static rt::Class* classObject();
    static NSRunLoop* mainRunLoop();
};
