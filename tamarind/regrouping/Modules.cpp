#include "tamarind/regrouping/Modules.h"

#include "host/foundation/Number.h"
#include "host/foundation/String.h"
#include "host/preferences/PreferencesConstants.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/ModuleArrays.h"
#include "tamarind/core/RowIdentifiers.h"
#include "tamarind/core/Rows.h"
#include "tamarind/core/Settings.h"

namespace tamarind {

namespace {

struct ModuleSpec {
    const char* identifier; // null for None
    const char* title;
    const char* detailClass;
    bool targetsRootPage;
    const char* iconKey;
    rt::Object** array;
};

// In the order of Module.
const ModuleSpec kModules[] = {
    { nullptr, nullptr, nullptr, false, nullptr, nullptr },
    { rowid::ConnectivityModule, "CONNECTIVITY_MODULE_TITLE", "ConnectivityRootListController", true, "Connectivity",
        &connectivitySpecifiers },
    { rowid::NotificationsModule, "NOTIFICATIONS_MODULE_TITLE", "TMNotificationsRootListController", true,
        "NotificationCenter", &notificationSpecifiers },
    { rowid::GeneralModule, "GENERAL_MODULE_TITLE", "TMGeneralRootListController", true, "General",
        &generalSpecifiers },
    { rowid::TweaksList, "TWEAKS_TITLE", "TMTweaksListController", false, "Tweak", nullptr },
    { rowid::AppsList, "APPS_TITLE", "TMAppsListController", false, "AppStore", &thirdPartySpecifiers },
    { rowid::SystemAppsList, "SYSTEM_APPS_TITLE", "TMSystemAppsListController", false, "General",
        &systemAppSpecifiers },
};

const ModuleSpec& specOf(Module module)
{
    return kModules[static_cast<int>(module)];
}

rt::Object* makeRow(const char* name, rt::Object* target, rt::Class* detail, PSCellType cell)
{
    return rt::send<rt::Object*>(specifierClass.get(),
        SELECTOR("preferenceSpecifierNamed:target:set:get:detail:cell:edit:"), ns(name), target,
        static_cast<rt::SEL>(nullptr), static_cast<rt::SEL>(nullptr), detail, static_cast<long>(cell),
        static_cast<rt::Class*>(nullptr));
}

}

rt::Object* moduleArray(Module module)
{
    rt::Object** array = specOf(module).array;
    return array ? *array : nullptr;
}

bool gathersMembersOnWalk(Module module)
{
    return module == Module::General;
}

rt::Object* makeModuleRow(Module module, rt::Object* rootPage)
{
    const ModuleSpec& spec = specOf(module);
    rt::Object* row = makeRow(
        spec.identifier, spec.targetsRootPage ? rootPage : nullptr, rt::getClass(spec.detailClass), PSLinkListCell);
    rt::send(row, SELECTOR("setName:"), ns(spec.title));
    rt::send(row, SELECTOR("setIdentifier:"), ns(spec.identifier));
    rt::send(row, SELECTOR("setProperty:forKey:"), iconCacheImage(spec.iconKey), ns("iconImage"));
    return row;
}

rt::Object* makeBannerRow(rt::Object* rootPage)
{
    rt::Object* row = makeRow(rowid::Banner, rootPage, nullptr, PSTitleValueCell);
    rt::send(row, SELECTOR("setProperty:forKey:"), rt::autorelease(NSNumber::withInteger(firstPass.bannerHeight)),
        ns("height"));
    return row;
}

}
