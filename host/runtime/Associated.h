#pragma once

#include "host/runtime/Object.h"

// Associated objects, as objc_setAssociatedObject and objc_getAssociatedObject: values stored on
// an object under a key (an address, usually a selector), released when their owner dies.

namespace rt {

enum AssociationPolicy : int {
    AssociationAssign = 0,
    AssociationRetainNonatomic = 1,
};

void setAssociatedObject(Object*, const void* key, Object* value, int policy = AssociationRetainNonatomic);
// Borrowed: the owner keeps the value alive until it is replaced or the owner dies.
Object* getAssociatedObject(Object*, const void* key);
void removeAssociatedObjects(Object*);

}
