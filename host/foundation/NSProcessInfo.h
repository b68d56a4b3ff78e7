#pragma once

#include "host/runtime/Runtime.h"

// NSProcessInfo: what the process knows of the machine. activeProcessorCount comes from the
// device description ("activeProcessorCount").
class NSProcessInfo final : public rt::Object {
public:
    static rt::Class* classObject();
    static unsigned long activeProcessorCount();
};
