#pragma once

#include "host/runtime/Class.h"

namespace rt {

// NSObject: allocation, init, dealloc, class queries, respondsToSelector:, isKindOfClass:,
// forwardingTargetForSelector: (answers nil), isEqual: and hash by identity.
Class* rootClass();

}
