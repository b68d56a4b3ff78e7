#include "tamarind/regrouping/ModuleRows.h"

#include "host/foundation/Number.h"
#include "host/foundation/String.h"
#include "tamarind/regrouping/Rows.h"
#include "tamarind/startup/HostClasses.h"
#include "tamarind/startup/Settings.h"

namespace tamarind {

namespace {

struct ModuleRowSpec {
    const char* identifier;
    const char* title;
    const char* detailClass;
    bool targetsRootPage;
    const char* iconKey;
};

constexpr ModuleRowSpec kModules[] = {
    { "CONNECTIVITY_MODULE", "CONNECTIVITY_MODULE_TITLE", "ConnectivityRootListController", true, "Connectivity" },
    { "NOTIFICATIONS_MODULE", "NOTIFICATIONS_MODULE_TITLE", "TMNotificationsRootListController", true, "NotificationCenter" },
    { "GENERAL_MODULE", "GENERAL_MODULE_TITLE", "TMGeneralRootListController", true, "General" },
    { "TWEAKS_CELL", "TWEAKS_TITLE", "TMTweaksListController", false, "Tweak" },
    { "APPS_CELL", "APPS_TITLE", "TMAppsListController", false, "AppStore" },
    { "SYSTEM_APPS_CELL", "SYSTEM_APPS_TITLE", "TMSystemAppsListController", false, "General" },
};

constexpr long kCellOpensPage = 2;
constexpr long kCellTitleValue = 4;

HostClass specifierClass("PSSpecifier");

rt::Object* makeRow(const char* name, rt::Object* target, rt::Class* detail, long cell)
{
    return rt::send<rt::Object*>(specifierClass.get(), SELECTOR("preferenceSpecifierNamed:target:set:get:detail:cell:edit:"),
        ns(name), target, static_cast<rt::SEL>(nullptr), static_cast<rt::SEL>(nullptr), detail, cell,
        static_cast<rt::Class*>(nullptr));
}

}

rt::Object* makeModuleRow(Module module, rt::Object* rootPage)
{
    const ModuleRowSpec& spec = kModules[static_cast<int>(module)];
    rt::Object* row = makeRow(spec.identifier, spec.targetsRootPage ? rootPage : nullptr, rt::getClass(spec.detailClass), kCellOpensPage);
    rt::send(row, SELECTOR("setName:"), ns(spec.title));
    rt::send(row, SELECTOR("setIdentifier:"), ns(spec.identifier));
    rt::send(row, SELECTOR("setProperty:forKey:"), iconCacheImage(spec.iconKey), ns("iconImage"));
    return row;
}

rt::Object* makeBannerRow(rt::Object* rootPage)
{
    rt::Object* row = makeRow("TMBannerCell", rootPage, nullptr, kCellTitleValue);
    rt::send(row, SELECTOR("setProperty:forKey:"), rt::autorelease(NSNumber::withInteger(firstPass.bannerHeight)), ns("height"));
    return row;
}

}
