#include "host/preferences/STStorageController.h"

#include <cstdio>

#include "host/foundation/Array.h"
#include "host/foundation/Number.h"
#include "host/foundation/String.h"
#include "host/platform/Device.h"
#include "host/preferences/PSUIPrefsListController.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

constexpr double kBarRowHeight = 76;

std::string sizeText(double bytes)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f GB", bytes / 1e9);
    return text;
}

Object* storageRows(Object* self, SEL)
{
    auto* page = static_cast<PSListController*>(self);
    if (Object* built = page->specifiersIvar())
        return built;
    auto list = NSArray::createMutable();
    list->add(makeDeviceSpecifier({ "CAPACITY_GROUP", "", "PSGroupCell", {}, {}, {}, {} }, self));
    auto barRow
        = rt::Ref<Object>(makeDeviceSpecifier({ "CAPACITY_BAR", "", "PSStaticTextCell", {}, {}, {}, {} }, self));
    rt::send(barRow, SELECTOR("setProperty:forKey:"), ns("PSCapacityBarCell"), ns(PSCellClassKey));
    rt::send(
        barRow, SELECTOR("setProperty:forKey:"), rt::autorelease(NSNumber::withDouble(kBarRowHeight)), ns("height"));
    list->add(barRow.get());
    list->add(makeDeviceSpecifier({ "USAGE_GROUP", "", "PSGroupCell", {}, {}, {}, {} }, self));
    for (auto& [name, bytes] : currentDevice().storageUse)
        list->add(makeDeviceSpecifier({ name, name, "PSTitleValueCell", sizeText(bytes), {}, {}, {} }, self));
    page->keepSpecifiers(list.get());
    return list.get();
}

}

Class* STStorageController::classObject()
{
    static Class* cls = [] {
        using namespace rt;
        auto* c = defineCppClass<STStorageController>("STStorageController", PSListController::classObject());
        addMethod(c, sel("specifiers"), &storageRows);
        addMethod(
            c, sel("title"), +[](Object*, SEL) -> Object* { return ns("iPhone Storage"); });
        return c;
    }();
    return cls;
}
