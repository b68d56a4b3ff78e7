#pragma once

#include "host/runtime/Runtime.h"

// NSAssertionHandler: where NSAssert reports a broken expectation. On a device the handler
// raises an exception; the host has none to raise, so it writes the failure to the system log,
// one line naming the method, the file and the line, and one with the description, and the
// caller carries on with whatever it does after its assertion.
class NSAssertionHandler final : public rt::Object {
public:
    static rt::Class* classObject();
};
