#include "host/preferences/PSGAboutController.h"

#include "host/foundation/Array.h"
#include "host/foundation/String.h"
#include "host/platform/Device.h"
#include "host/preferences/PSSpecifier.h"
#include "host/preferences/PSUIPrefsListController.h"

using rt::Object;
using rt::SEL;

namespace {

DeviceRow valueRow(const char* id, const char* name, std::string value)
{
    return { id, name, "PSTitleValueCell", std::move(value), {}, {}, {} };
}

DeviceRow group(const char* id)
{
    return { id, "", "PSGroupCell", {}, {}, {}, {} };
}

DeviceRow linkRow(const char* id, const char* name, const char* detail)
{
    return { id, name, "PSLinkCell", {}, {}, detail, {} };
}

std::vector<DeviceRow> defaultAboutRows()
{
    const auto& d = currentDevice();
    return { group("DEVICE_GROUP"), valueRow("NAME_CELL_ID", "Name", d.name),
        valueRow("ProductVersion", "iOS Version", d.systemVersion), valueRow("ProductModelName", "Model Name", d.model),
        valueRow("ProductModel", "Model Number", "MQ9X3LL/A"),
        valueRow("SerialNumber", "Serial Number", "F2LXK0ZQN73F"), group("MEDIA_GROUP"),
        valueRow("SONGS", "Songs", "0"), valueRow("VIDEOS", "Videos", "12"), valueRow("PHOTOS", "Photos", "2,418"),
        valueRow("APPLICATIONS", "Applications", "38") };
}

std::vector<DeviceRow> generalRows()
{
    return { group("ABOUT_GROUP"), linkRow("About", "About", "PSGAboutController"),
        linkRow("SOFTWARE_UPDATE_LINK", "Software Update", "SettingsDetailController"), group("STORAGE_GROUP"),
        linkRow("STORAGE_MGMT", "iPhone Storage", "STStorageController"),
        linkRow("AUTO_CONTENT_DOWNLOAD", "Background App Refresh", "SettingsDetailController"), group("DATE_GROUP"),
        linkRow("DATE_AND_TIME", "Date & Time", "SettingsDetailController"),
        linkRow("Keyboard", "Keyboard", "KeyboardController") };
}

// Builds the page's rows when it has none; a reload (reloadSpecifiers) drops them so they are
// built afresh, as Settings does.
Object* buildRows(Object* self, const std::vector<DeviceRow>& rows)
{
    auto* page = static_cast<PSListController*>(self);
    if (Object* built = page->specifiersIvar())
        return built;
    auto list = NSArray::createMutable();
    for (auto& row : rows)
        list->add(makeDeviceSpecifier(row, self));
    page->keepSpecifiers(list.get());
    return list.get();
}

}

rt::Class* PSGAboutController::classObject()
{
    static rt::Class* cls = [] {
        using namespace rt;
        auto* c = defineCppClass<PSGAboutController>("PSGAboutController", PSListController::classObject());
        addMethod(
            c, sel("specifiers"), +[](Object* self, SEL) {
                const auto& rows = currentDevice().aboutRows;
                return buildRows(self, rows.empty() ? defaultAboutRows() : rows);
            });
        addMethod(
            c, sel("title"), +[](Object*, SEL) -> Object* { return ns("About"); });
        return c;
    }();
    return cls;
}

rt::Class* PSGGeneralController::classObject()
{
    static rt::Class* cls = [] {
        using namespace rt;
        auto* c = defineCppClass<PSGGeneralController>("PSGGeneralController", PSListController::classObject());
        addMethod(
            c, sel("specifiers"), +[](Object* self, SEL) {
                // The device may describe the General page's rows; otherwise Settings' own.
                auto described = currentDevice().pages.find("PSGGeneralController");
                return buildRows(self, described != currentDevice().pages.end() ? described->second : generalRows());
            });
        addMethod(
            c, sel("title"), +[](Object*, SEL) -> Object* { return ns("General"); });
        return c;
    }();
    return cls;
}
