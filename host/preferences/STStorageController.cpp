#include "host/preferences/STStorageController.h"

#include <cstdio>

#include "host/foundation/Array.h"
#include "host/foundation/Number.h"
#include "host/foundation/String.h"
#include "host/platform/Device.h"
#include "host/preferences/PSCapacityBarView.h"
#include "host/preferences/PSUIPrefsListController.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

constexpr double kBarRowHeight = 76;
constexpr double kBarInset = 16;

std::string sizeText(double bytes)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f GB", bytes / 1e9);
    return text;
}

Object* storageRows(Object* self, SEL)
{
    auto* page = static_cast<PSListController*>(self);
    if (page->m_specifiers)
        return page->m_specifiers.get();
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
    page->m_specifiers = list;
    rebuildSpecifiersByID(page);
    return list.get();
}

Object* initBarCell(Object* self, SEL, long style, Object* reuse, Object* specifier)
{
    self = rt::sendSuper<Object*>(self, PSCapacityBarCell::classObject(),
        rt::sel("initWithStyle:reuseIdentifier:specifier:"), style, reuse, specifier);
    if (!self)
        return nullptr;
    const auto& device = currentDevice();
    auto barView = UIView::create(PSCapacityBarView::classObject());
    auto data = PSCapacityBarData::create(static_cast<long long>(device.storageCapacity), device.storageUse);
    rt::send(barView, SELECTOR("setBarData:"), static_cast<Object*>(data.get()));
    rt::send(rt::send<Object*>(self, SELECTOR("contentView")), SELECTOR("addSubview:"), barView.get());
    static_cast<PSCapacityBarCell*>(self)->m_bar = barView;
    return self;
}

void layoutBarCell(Object* self, SEL)
{
    rt::sendSuper(self, PSCapacityBarCell::classObject(), rt::sel("layoutSubviews"));
    Object* content = rt::send<Object*>(self, SELECTOR("contentView"));
    CGRect bounds = rt::send<CGRect>(content, SELECTOR("bounds"));
    rt::send(static_cast<PSCapacityBarCell*>(self)->m_bar, SELECTOR("setFrame:"),
        CGRectMake(kBarInset, 12, std::max(0.0, bounds.width() - 2 * kBarInset), bounds.height() - 12));
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

Class* PSCapacityBarCell::classObject()
{
    static Class* cls = [] {
        using namespace rt;
        auto* c = defineCppClass<PSCapacityBarCell>("PSCapacityBarCell", PSTableCell::classObject());
        addMethod(c, sel("initWithStyle:reuseIdentifier:specifier:"), &initBarCell);
        addMethod(c, sel("layoutSubviews"), &layoutBarCell);
        return c;
    }();
    return cls;
}
