#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The storage page's usage bar shows the capacity the user chose ("storageValue" decimal
// gigabytes) while "isFakeStorageEnabled" is on. Only bars under the storage page's controller
// change. Main thread.

namespace tamarind {

using BarDataImp = rt::Object* (*)(rt::Object*, rt::SEL);
using SetBarDataImp = void (*)(rt::Object*, rt::SEL, rt::Object*);

rt::Object* capacityBarData(rt::Object* self, rt::SEL);
void capacitySetBarData(rt::Object* self, rt::SEL, rt::Object* data);

extern Saved<BarDataImp> originalCapacityBarData;
extern Saved<SetBarDataImp> originalCapacitySetBarData;

// "storageValue" gigabytes in bytes, held at the largest or smallest 64-bit count when the
// product does not fit.
long long replacementCapacity(long gigabytes);

}
