#include "host/preferences/STStorageDiskMonitor.h"

#include "host/platform/Device.h"

using rt::Object;
using rt::SEL;

namespace {

void updateDiskSpace(Object* self, SEL)
{
    auto space = rt::adopt(static_cast<STStorageSpace*>(STStorageSpace::classObject()->allocate()));
    const auto& device = currentDevice();
    space->m_deviceSize = static_cast<int64_t>(device.storageCapacity);
    double used = 0;
    for (const auto& [category, bytes] : device.storageUse)
        used += bytes;
    space->m_usedBytes = static_cast<int64_t>(used);
    static_cast<STStorageDiskMonitor*>(self)->m_space = space;
}

}

rt::Class* STStorageDiskMonitor::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<STStorageDiskMonitor>("STStorageDiskMonitor", rt::rootClass());
        rt::addMethod(c, rt::sel("updateDiskSpace"), &updateDiskSpace);
        rt::addMethod(
            c, rt::sel("storageSpace"),
            +[](Object* self, SEL) { return static_cast<STStorageDiskMonitor*>(self)->m_space.get(); });
        return c;
    }();
    return cls;
}

rt::Class* STStorageSpace::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<STStorageSpace>("STStorageSpace", rt::rootClass());
        rt::addMethod(
            c, rt::sel("usedBytes"),
            +[](Object* self, SEL) { return static_cast<long long>(static_cast<STStorageSpace*>(self)->m_usedBytes); });
        rt::addMethod(
            c, rt::sel("deviceSize"), +[](Object* self, SEL) {
                return static_cast<long long>(static_cast<STStorageSpace*>(self)->m_deviceSize);
            });
        return c;
    }();
    return cls;
}
