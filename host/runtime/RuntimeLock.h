#pragma once

#include <shared_mutex>

namespace rt {

// Guards class, method, ivar and property tables. Writers are the load-time definitions and
// replacements; readers are cache misses, so contention is rare.
inline std::shared_mutex& runtimeLock()
{
    static auto* lock = new std::shared_mutex;
    return *lock;
}

}
