#include "tamarind/deviceinfo/StorageCapacity.h"

#include <limits>

#include "tamarind/core/HostClass.h"
#include "tamarind/core/Settings.h"

namespace tamarind {

Saved<BarDataImp> originalCapacityBarData;
Saved<SetBarDataImp> originalCapacitySetBarData;

namespace {

bool overridesBar(rt::Object* bar)
{
    static HostClass storageController("STStorageController");
    if (!secondPass.isFakeStorageEnabled || !storageController.get())
        return false;
    rt::Object* controller = rt::send<rt::Object*>(bar, SELECTOR("_viewControllerForAncestor"));
    return controller && rt::send<bool>(controller, SELECTOR("isKindOfClass:"), storageController.get());
}

void setCapacity(rt::Object* data)
{
    rt::send(data, SELECTOR("setCapacity:"), replacementCapacity(secondPass.storageValue));
}

}

long long replacementCapacity(long gigabytes)
{
    long long bytes = 0;
    if (__builtin_mul_overflow(static_cast<long long>(gigabytes), 1000000000LL, &bytes))
        return gigabytes < 0 ? std::numeric_limits<long long>::min() : std::numeric_limits<long long>::max();
    return bytes;
}

rt::Object* capacityBarData(rt::Object* self, rt::SEL cmd)
{
    rt::Object* data = originalCapacityBarData(self, cmd);
    if (overridesBar(self))
        setCapacity(data);
    return data;
}

void capacitySetBarData(rt::Object* self, rt::SEL cmd, rt::Object* data)
{
    if (overridesBar(self))
        setCapacity(data);
    originalCapacitySetBarData(self, cmd, data);
}

}
