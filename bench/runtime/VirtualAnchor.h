#pragma once

// The anchor every send is held against: a plain C++ virtual call that the compiler cannot
// devirtualise, made from an out-of-line function as the sends are. Beside it, the floor: an
// out-of-line call that does nothing, which is what the harness alone costs each shape.

namespace bench {

class AnchorBase {
public:
    virtual ~AnchorBase() = default;
    virtual long x() const = 0;
};

// The concrete object and the caller live in separate files, so the caller sees only the base
// class.
AnchorBase* anchorObject();

long virtualCall(const AnchorBase*);

// Answers its argument and does nothing else.
const void* emptyCall(const void*);

}
