#pragma once

#include <cstddef>

#include "host/runtime/Object.h"

namespace rt {

// Objects returned by methods that are not creation methods are borrowed. A method that makes a
// new object to return hands it to the innermost pool of its thread, which releases it when the
// pool ends, as Foundation's autorelease pools do. The main run loop drains a pool every pass.
class AutoreleasePool {
public:
    AutoreleasePool();
    ~AutoreleasePool();
    AutoreleasePool(const AutoreleasePool&) = delete;
    AutoreleasePool& operator=(const AutoreleasePool&) = delete;

private:
    std::size_t m_mark;
};

Object* autorelease(Object*);

// Hands a strong reference to the current pool and returns it borrowed.
template<class T>
T* autorelease(Ref<T> ref) { return static_cast<T*>(autorelease(static_cast<Object*>(ref.leak()))); }

}
