#include "host/foundation/NSProcessInfo.h"

#include "host/platform/Device.h"

rt::Class* NSProcessInfo::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<NSProcessInfo>("NSProcessInfo", rt::rootClass());
        rt::addClassMethod(
            c, rt::sel("processInfo"), +[](rt::Class*, rt::SEL) -> rt::Object* {
                static rt::Object* info = classObject()->allocate();
                return info;
            });
        rt::addMethod(
            c, rt::sel("activeProcessorCount"), +[](rt::Object*, rt::SEL) { return activeProcessorCount(); });
        rt::addMethod(
            c, rt::sel("processorCount"), +[](rt::Object*, rt::SEL) { return activeProcessorCount(); });
        return c;
    }();
    return cls;
}

unsigned long NSProcessInfo::activeProcessorCount()
{
    return hasCurrentDevice() ? currentDevice().activeProcessorCount : DeviceDescription {}.activeProcessorCount;
}
