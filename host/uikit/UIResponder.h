#pragma once

#include "host/runtime/Runtime.h"

// UIResponder: the chain events travel along. Views answer their view controller or superview,
// view controllers the superview of their view.
class UIResponder : public rt::Object {
public:
    static rt::Class* classObject();

    virtual UIResponder* nextResponder() const { return nullptr; }
};
