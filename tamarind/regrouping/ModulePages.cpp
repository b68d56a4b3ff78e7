#include "tamarind/regrouping/ModulePages.h"

#include <string>

#include "host/foundation/String.h"
#include "host/platform/Device.h"
#include "tamarind/regrouping/MemberSwitches.h"
#include "tamarind/regrouping/Rows.h"
#include "tamarind/rootpage/RootListController.h"
#include "tamarind/startup/ModuleArrays.h"
#include "tamarind/startup/ReplacementTable.h"
#include "tamarind/startup/Settings.h"

namespace tamarind {

namespace {

using SpecifiersImp = rt::Object* (*)(rt::Object*, rt::SEL);

// The own implementation: the module array itself becomes the page's rows, each with its icon
// from the shared icon cache.
rt::Object* moduleSpecifiers(rt::Object* self, rt::Object* moduleArray)
{
    if (rt::Object* existing = pageIvar(self, "_specifiers"))
        return existing;
    setPageIvar(self, "_specifiers", moduleArray);
    for (unsigned long i = 0, n = countOf(moduleArray); i < n; ++i) {
        rt::Object* row = objectAt(moduleArray, i);
        rt::Object* key = rt::send<rt::Object*>(row, SELECTOR("propertyForKey:"), ns("iconCache"));
        rt::send(row, SELECTOR("setProperty:forKey:"), iconCacheImage(key), ns("iconImage"));
    }
    return pageIvar(self, "_specifiers");
}

rt::Object* connectivitySpecifiersImp(rt::Object* self, rt::SEL) { return moduleSpecifiers(self, connectivitySpecifiers); }
rt::Object* notificationSpecifiersImp(rt::Object* self, rt::SEL) { return moduleSpecifiers(self, notificationSpecifiers); }
rt::Object* generalSpecifiersImp(rt::Object* self, rt::SEL) { return moduleSpecifiers(self, generalSpecifiers); }

void viewDidLoad(rt::Object* self, rt::SEL cmd)
{
    rt::sendSuper(self, definingClass(self, cmd, reinterpret_cast<rt::IMP>(&viewDidLoad)), cmd);
    rt::send(self, SELECTOR("reloadSpecifiers"));
}

// The root page's own rows, read by name from the page held in rootListController.
rt::Object* rootPageRow(const char* ivar) { return pageIvar(rootListController, ivar); }

// @available(iOS 15.0, *)
bool exposureOnIOS15() { return systemVersionAtLeast(15, 0, 0); }

void filterGeneralRow(rt::Object* kept, rt::Object* row, const std::string& id)
{
    auto& s = firstPass;
    if (id == "Exposure Notifications")
        return;
    if (id == "Wallpaper") {
        if (s.wallpaperEnabled)
            append(kept, rootPageRow("_wallpaperSpecifier"));
        return;
    }
    if (id == "EMERGENCY_SOS") {
        if (s.emergencyEnabled)
            append(kept, row);
        if (s.exposureEnabled)
            append(kept, rootPageRow(exposureOnIOS15() ? "__exposureNotificationSpecifier" : "_exposureNotificationSpecifier"));
        return;
    }
    if (id == "PASSBOOK") {
        if (s.walletEnabled)
            append(kept, row);
        return;
    }
    const bool* member = generalSwitch(id);
    if (!member || *member)
        append(kept, row);
}

template<const bool* (*Switch)(std::string_view)>
void filterMemberRow(rt::Object* kept, rt::Object* row, const std::string& id)
{
    const bool* member = Switch(id);
    if (!member || *member)
        append(kept, row);
}

// The filter: runs on every call; from the second call on the own implementation returns the
// filtered list, so filtering again changes nothing.
template<SpecifiersImp* Original, void (*Filter)(rt::Object*, rt::Object*, const std::string&)>
rt::Object* filteredSpecifiers(rt::Object* self, rt::SEL cmd)
{
    rt::Object* rows = (*Original)(self, cmd);
    if (!firstPass.isCustomTableCellCustomizabilityEnabled)
        return rows;
    rt::Object* kept = newMutableArray();
    for (unsigned long i = 0, n = countOf(rows); i < n; ++i) {
        rt::Object* row = objectAt(rows, i);
        Filter(kept, row, identifierOf(row));
    }
    installSpecifiers(self, kept);
    return kept;
}

SpecifiersImp originalConnectivity, originalNotifications, originalGeneral;

bool shouldHighlight(rt::Object*, rt::SEL, rt::Object*, rt::Object*) { return true; }

void generalDidSelect(rt::Object* self, rt::SEL cmd, rt::Object* table, rt::Object* indexPath)
{
    rt::Object* cell = rt::send<rt::Object*>(table, SELECTOR("cellForRowAtIndexPath:"), indexPath);
    rt::Object* parent = rt::send<rt::Object*>(self, SELECTOR("parentViewController"));
    rt::Object* rootPage = rt::send<rt::Object*>(parent, SELECTOR("rootListController"));
    if (identifierOf(rt::send<rt::Object*>(cell, SELECTOR("specifier"))) == "Wallpaper") {
        rt::send(rootPage, SELECTOR("_showControllerFromSpecifier:"), pageIvar(rootPage, "_wallpaperSpecifier"));
        return;
    }
    rt::sendSuper(self, rt::getClass("TMGeneralRootListController"), cmd, table, indexPath);
}

rt::Class* registerPage(const char* name, rt::Class* super, SpecifiersImp specifiers, rt::Object* (*title)(rt::Object*, rt::SEL))
{
    return rt::ClassBuilder(name, super)
        .ivar<rt::Ref<rt::Object>>("_table")
        .method("specifiers", specifiers)
        .method("viewDidLoad", &viewDidLoad)
        .method("title", title)
        .registerClass();
}

}

void registerModulePages()
{
    rt::Class* listController = rt::getClass("PSListController");
    if (!listController)
        return;
    registerPage("ConnectivityRootListController", listController, &connectivitySpecifiersImp,
        +[](rt::Object*, rt::SEL) { return static_cast<rt::Object*>(ns("Connectivity")); });
    registerPage("TMNotificationsRootListController", listController, &notificationSpecifiersImp,
        +[](rt::Object*, rt::SEL) { return static_cast<rt::Object*>(ns("Notifications & Sounds")); });
    rt::Class* general = registerPage("TMGeneralRootListController", listController, &generalSpecifiersImp,
        +[](rt::Object*, rt::SEL) { return static_cast<rt::Object*>(ns("General")); });
    rt::addMethod(general, rt::sel("tableView:shouldHighlightRowAtIndexPath:"), &shouldHighlight);
    rt::addMethod(general, rt::sel("tableView:didSelectRowAtIndexPath:"), &generalDidSelect);
}

void installConnectivityFilter(rt::Class* cls)
{
    replace(cls, "specifiers", &filteredSpecifiers<&originalConnectivity, &filterMemberRow<&connectivitySwitch>>, &originalConnectivity);
}

void installNotificationsFilter(rt::Class* cls)
{
    replace(cls, "specifiers", &filteredSpecifiers<&originalNotifications, &filterMemberRow<&notificationsSwitch>>, &originalNotifications);
}

void installGeneralFilter(rt::Class* cls)
{
    replace(cls, "specifiers", &filteredSpecifiers<&originalGeneral, &filterGeneralRow>, &originalGeneral);
}

}
