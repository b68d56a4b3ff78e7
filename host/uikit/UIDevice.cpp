#include "host/uikit/UIDevice.h"

#include "host/foundation/String.h"
#include "host/platform/Device.h"
#include "host/uikit/UIScreen.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

const DeviceDescription& describedDevice()
{
    static const DeviceDescription fallback;
    return hasCurrentDevice() ? currentDevice() : fallback;
}

void registerDeviceMethods(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("currentDevice"), +[](Class*, SEL) -> Object* { return UIDevice::currentDevice(); });
    addMethod(
        c, sel("name"), +[](Object*, SEL) -> Object* { return ns(describedDevice().name); });
    addMethod(
        c, sel("model"), +[](Object*, SEL) -> Object* { return ns(describedDevice().model); });
    addMethod(
        c, sel("localizedModel"), +[](Object*, SEL) -> Object* { return ns(describedDevice().model); });
    addMethod(
        c, sel("systemVersion"), +[](Object*, SEL) -> Object* { return ns(describedDevice().systemVersion); });
    addMethod(
        c, sel("systemName"),
        +[](Object*, SEL) -> Object* { return ns(UIScreen::deviceIdiom() == 1 ? "iPadOS" : "iOS"); });
    addMethod(
        c, sel("userInterfaceIdiom"), +[](Object*, SEL) { return UIScreen::deviceIdiom(); });
}

}

Class* UIDevice::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIDevice>("UIDevice", rt::rootClass());
        registerDeviceMethods(c);
        return c;
    }();
    return cls;
}

UIDevice* UIDevice::currentDevice()
{
    static UIDevice* d = [] {
        auto* obj = static_cast<UIDevice*>(classObject()->allocate());
        obj->makeImmortal();
        return obj;
    }();
    return d;
}
