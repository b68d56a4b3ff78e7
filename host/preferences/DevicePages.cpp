#include "host/preferences/DevicePages.h"

#include "host/foundation/Array.h"
#include "host/platform/Device.h"
#include "host/preferences/PSUIPrefsListController.h"

using rt::Object;
using rt::SEL;

namespace {

constexpr const char* kPageClasses[]
    = { "BatteryUIController", "BatteryHealthUIController", "BTSDevicesController", "KeyboardController" };

// The rows the device gives the page's own class, or the closest described superclass's.
Object* pageSpecifiers(Object* self, SEL)
{
    auto* page = static_cast<PSListController*>(self);
    if (Object* built = page->specifiersIvar())
        return built;
    auto list = NSArray::createMutable();
    const auto& pages = currentDevice().pages;
    for (rt::Class* c = self->isa(); c; c = c->superclass()) {
        auto it = pages.find(std::string(c->name()));
        if (it == pages.end())
            continue;
        for (const auto& row : it->second)
            list->add(makeDeviceSpecifier(row, self));
        break;
    }
    page->keepSpecifiers(list.get());
    return list.get();
}

}

rt::Class* DevicePageController::classObject()
{
    static rt::Class* cls = [] {
        auto* c
            = rt::defineCppClass<DevicePageController>("DevicePageController", SettingsDetailController::classObject());
        rt::addMethod(c, rt::sel("specifiers"), &pageSpecifiers);
        return c;
    }();
    return cls;
}

void DevicePageController::registerPageClasses()
{
    for (const char* name : kPageClasses)
        rt::defineCppClass<DevicePageController>(name, classObject());
    // Pages the device describes under a class nobody defines are pages of preference panes
    // (their bundles' code is not run here): each becomes a page class of its own.
    if (!hasCurrentDevice())
        return;
    for (const auto& [name, rows] : currentDevice().pages)
        if (!rt::getClass(name))
            rt::defineCppClass<DevicePageController>(name.c_str(), classObject());
}
