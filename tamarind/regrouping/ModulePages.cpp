#include "tamarind/regrouping/ModulePages.h"

#include "host/platform/Availability.h"
#include "tamarind/core/DefiningClass.h"
#include "tamarind/core/Grouping.h"
#include "tamarind/core/RootPage.h"
#include "tamarind/core/RowIdentifiers.h"
#include "tamarind/core/Rows.h"
#include "tamarind/core/Settings.h"
#include "tamarind/regrouping/OwnPages.h"
#include "tamarind/regrouping/RootRules.h"

namespace tamarind {

namespace {

// The root page's own rows, read by name from the page held in rootListController.
rt::Object* rootPageRow(const char* ivar)
{
    return pageIvar(rootListController, ivar);
}

rt::Object* rootExposureRow()
{
    // @available(iOS 15.0, *)
    return rootPageRow(
        isOSVersionAtLeast(15, 0, 0) ? "__exposureNotificationSpecifier" : "_exposureNotificationSpecifier");
}

// Rows of other modules, and rows the rules do not name, are shown as they are.
void filterRow(rt::Object* kept, rt::Object* row, Module page)
{
    const RowRule* rule = rowRule(identifierView(row));
    if (!rule || rule->module != page)
        return append(kept, row);
    switch (rule->pageFilter) {
    case PageFilter::Unfiltered:
        return append(kept, row);
    case PageFilter::BySwitch:
        if (switchOn(*rule))
            append(kept, row);
        return;
    case PageFilter::Never:
        return;
    case PageFilter::RootWallpaper:
        if (switchOn(*rule))
            append(kept, rootPageRow("_wallpaperSpecifier"));
        return;
    case PageFilter::WithExposure:
        if (switchOn(*rule))
            append(kept, row);
        if (switchOn(*rowRule(rowid::ExposureNotifications)))
            append(kept, rootExposureRow());
        return;
    }
}

template <Module M> rt::Object* moduleSpecifiers(rt::Object* self, rt::SEL)
{
    return showModuleArray(self, moduleArray(M), RowIcons::FromIconCache);
}

bool shouldHighlight(rt::Object*, rt::SEL, rt::Object*, rt::Object*)
{
    return true;
}

// The wallpaper row opens the wallpaper page through the root page, which alone knows it.
void generalDidSelect(rt::Object* self, rt::SEL cmd, rt::Object* table, rt::Object* indexPath)
{
    rt::Object* cell = rt::send<rt::Object*>(table, SELECTOR("cellForRowAtIndexPath:"), indexPath);
    rt::Object* parent = rt::send<rt::Object*>(self, SELECTOR("parentViewController"));
    rt::Object* rootPage = rt::send<rt::Object*>(parent, SELECTOR("rootListController"));
    if (identifierOf(rt::send<rt::Object*>(cell, SELECTOR("specifier"))) == rowid::Wallpaper) {
        rt::send(rootPage, SELECTOR("_showControllerFromSpecifier:"), pageIvar(rootPage, "_wallpaperSpecifier"));
        return;
    }
    rt::sendSuper(self, definingClass(self, cmd, &generalDidSelect), cmd, table, indexPath);
}

void extendModulePage(rt::ClassBuilder& builder)
{
    declareUnusedTable(builder);
}

void extendGeneralPage(rt::ClassBuilder& builder)
{
    declareUnusedTable(builder);
    builder.method("tableView:shouldHighlightRowAtIndexPath:", &shouldHighlight)
        .method("tableView:didSelectRowAtIndexPath:", &generalDidSelect);
}

constexpr char kConnectivityTitle[] = "Connectivity";
constexpr char kNotificationsTitle[] = "Notifications & Sounds";
constexpr char kGeneralTitle[] = "General";
}

// Runs on every call; from the second call on the own implementation returns the filtered
// list, so filtering again changes nothing.
template <Module M> rt::Object* filteredModuleSpecifiers(rt::Object* self, rt::SEL cmd)
{
    rt::Object* rows = originalModuleSpecifiers<M>(self, cmd);
    if (!regroupingEnabled())
        return rows;
    rt::Object* kept = newMutableArray();
    for (unsigned long i = 0, n = countOf(rows); i < n; ++i)
        filterRow(kept, objectAt(rows, i), M);
    installSpecifiers(self, kept);
    return kept;
}

template rt::Object* filteredModuleSpecifiers<Module::Connectivity>(rt::Object*, rt::SEL);
template rt::Object* filteredModuleSpecifiers<Module::Notifications>(rt::Object*, rt::SEL);
template rt::Object* filteredModuleSpecifiers<Module::General>(rt::Object*, rt::SEL);

void registerModulePages()
{
    registerOwnPage({ "ConnectivityRootListController", &moduleSpecifiers<Module::Connectivity>,
        &fixedTitle<kConnectivityTitle>, &extendModulePage });
    registerOwnPage({ "TMNotificationsRootListController", &moduleSpecifiers<Module::Notifications>,
        &fixedTitle<kNotificationsTitle>, &extendModulePage });
    registerOwnPage({ "TMGeneralRootListController", &moduleSpecifiers<Module::General>, &fixedTitle<kGeneralTitle>,
        &extendGeneralPage });
}

}
