#include "host/preferences/STStorageDiskMonitor.h"

#include "host/platform/Device.h"
#include "host/runtime/Bind.h"

void STStorageDiskMonitor::updateDiskSpace()
{
    const auto& device = currentDevice();
    double used = 0;
    for (const auto& [category, bytes] : device.storageUse)
        used += bytes;
    m_space = STStorageSpace::create(static_cast<int64_t>(used), static_cast<int64_t>(device.storageCapacity));
}

rt::Class* STStorageDiskMonitor::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<STStorageDiskMonitor>("STStorageDiskMonitor", rt::rootClass());
        rt::bind<&STStorageDiskMonitor::updateDiskSpace>(c, "updateDiskSpace");
        rt::bindGetter<&STStorageDiskMonitor::m_space>(c, "storageSpace");
        return c;
    }();
    return cls;
}

rt::Class* STStorageSpace::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<STStorageSpace>("STStorageSpace", rt::rootClass());
        rt::bindReadOnlyProperty<&STStorageSpace::m_usedBytes>(c, "usedBytes");
        rt::bindReadOnlyProperty<&STStorageSpace::m_deviceSize>(c, "deviceSize");
        return c;
    }();
    return cls;
}

rt::Ref<STStorageSpace> STStorageSpace::create(int64_t usedBytes, int64_t deviceSize)
{
    auto space = rt::adopt(static_cast<STStorageSpace*>(classObject()->allocate()));
    space->m_usedBytes = usedBytes;
    space->m_deviceSize = deviceSize;
    return space;
}
