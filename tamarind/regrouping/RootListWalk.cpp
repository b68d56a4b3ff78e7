#include "tamarind/regrouping/RootListWalk.h"

#include <string>
#include <string_view>
#include <unordered_map>

#include "host/foundation/Dispatch.h"
#include "host/foundation/String.h"
#include "tamarind/regrouping/EntryReader.h"
#include "tamarind/regrouping/MemberSwitches.h"
#include "tamarind/regrouping/ModuleRows.h"
#include "tamarind/regrouping/Rows.h"
#include "tamarind/startup/HostClasses.h"
#include "tamarind/startup/ModuleArrays.h"
#include "tamarind/startup/ReplacementTable.h"
#include "tamarind/startup/Settings.h"

namespace tamarind {

namespace {

using Imp = rt::Object* (*)(rt::Object*, rt::SEL);
Imp originalSpecifiers;

// The walk's once-per-process actions, each with its own token.
DispatchOnceToken tweaksAfterGameCenter, listRowsAfterAccount, generalIntoModule, groupBeforePasscode,
    tvProviderAndTweaks, tweaksAfterPrivacy, installNewList;

struct Walk {
    rt::Object* page;
    rt::Object* hostList;
    rt::Object* newList;
    unsigned long index;
    bool finished = false;

    void keep(rt::Object* row) { append(newList, row); }
    void appendTweakRows()
    {
        keep(emptyGroupRow());
        rt::send(newList, SELECTOR("addObjectsFromArray:"), sortedTweakRows(page));
    }
};

bool moduleSwitchesOn() { return firstPass.isCustomTableCellCustomizabilityEnabled; }

// Moves the run that starts at the walk's row into `array`, up to the next group row, and
// continues the walk at that group row.
void moveRun(Walk& walk, rt::Object* array)
{
    unsigned long n = countOf(walk.hostList);
    unsigned long i = walk.index;
    for (; i < n; ++i) {
        rt::Object* row = objectAt(walk.hostList, i);
        if (isGroupRow(row))
            break;
        append(array, row);
    }
    walk.index = i; // the group row (or the end) is next
}

void appendUnlessPresent(rt::Object* array, rt::Object* row)
{
    if (!rt::send<bool>(array, SELECTOR("containsObject:"), row))
        append(array, row);
}

// Rows that stay on the root list only while their module is off and their own switch is on.
void memberRow(Walk& walk, rt::Object* row, bool grouping, const bool* memberSwitch, rt::Object* moduleArray)
{
    if (!grouping) {
        if (memberSwitch && *memberSwitch)
            walk.keep(row);
        return;
    }
    if (moduleArray)
        appendUnlessPresent(moduleArray, row);
}

void moduleStart(Walk& walk, rt::Object* row, bool grouping, bool memberSwitch, Module module, rt::Object* array)
{
    if (!grouping) {
        if (memberSwitch)
            walk.keep(row);
        ++walk.index;
        return;
    }
    walk.keep(makeModuleRow(module, walk.page));
    moveRun(walk, array);
}

void tvProviderAndTweakStep(Walk& walk)
{
    float version = rt::send<float>(rt::send<rt::Object*>(rt::send<rt::Object*>(HostClass("UIDevice").get(),
                                        SELECTOR("currentDevice")), SELECTOR("systemVersion")), SELECTOR("floatValue"));
    if (firstPass.tvProviderEnabled && !firstPass.groupSystemAppsEnabled && version < 15.0f) {
        if (rt::Object* videoSubscriber = pageIvar(walk.page, "_videoSubscriberSpecifier")) {
            walk.keep(emptyGroupRow());
            walk.keep(videoSubscriber);
        }
    }
    if (!firstPass.groupTweaksEnabled && firstPass.groupSystemAppsEnabled)
        walk.appendTweakRows();
}

// What the walk does with a row, by identifier; anything not listed is kept.
enum class Rule {
    Keep,
    AccountGroup,
    GameCenter,
    FollowUp,
    Account,
    Family,
    Airplane,
    ConnectivityMember,
    Notifications,
    NotificationsMember,
    General,
    GeneralMember,
    Passcode,
    Privacy,
    Store,
    SystemAppRow,
};

Rule ruleFor(std::string_view id)
{
    static const std::unordered_map<std::string_view, Rule> rules = {
        { "PRIMARY_APPLE_ACCOUNT_GROUP", Rule::AccountGroup },
        { "GAMECENTER", Rule::GameCenter },
        { "FollowUpList_com.apple.followup.-group.account", Rule::FollowUp },
        { "APPLE_ACCOUNT", Rule::Account },
        { "Family", Rule::Family },
        { "AIRPLANE_MODE", Rule::Airplane },
        { "WIFI", Rule::ConnectivityMember },
        { "ETHERNET", Rule::ConnectivityMember },
        { "Bluetooth", Rule::ConnectivityMember },
        { "MOBILE_DATA_SETTINGS_ID", Rule::ConnectivityMember },
        { "INTERNET_TETHERING", Rule::ConnectivityMember },
        { "VPN", Rule::ConnectivityMember },
        { "NOTIFICATIONS_ID", Rule::Notifications },
        { "Sounds", Rule::NotificationsMember },
        { "DO_NOT_DISTURB", Rule::NotificationsMember },
        { "SCREEN_TIME", Rule::NotificationsMember },
        { "General", Rule::General },
        { "ControlCenter", Rule::GeneralMember },
        { "HOME_SCREEN", Rule::GeneralMember },
        { "DISPLAY", Rule::GeneralMember },
        { "ACCESSIBILITY", Rule::GeneralMember },
        { "Exposure Notifications", Rule::GeneralMember },
        { "Wallpaper", Rule::GeneralMember },
        { "SIRI", Rule::GeneralMember },
        { "EMERGENCY_SOS", Rule::GeneralMember },
        { "BATTERY_USAGE", Rule::GeneralMember },
        { "PASSCODE", Rule::Passcode },
        { "Privacy", Rule::Privacy },
        { "STORE", Rule::Store },
        { "HOMEKIT", Rule::SystemAppRow },
        { "com.apple.podcasts", Rule::SystemAppRow },
    };
    auto it = rules.find(id);
    return it == rules.end() ? Rule::Keep : it->second;
}

void accountListRows(Walk& walk)
{
    auto& s = firstPass;
    if (!s.groupTweaksEnabled && !s.groupThirdPartyAppsEnabled && !s.groupSystemAppsEnabled)
        return;
    walk.keep(emptyGroupRow());
    if (s.groupTweaksEnabled)
        walk.keep(makeModuleRow(Module::Tweaks, walk.page));
    if (s.groupThirdPartyAppsEnabled)
        walk.keep(makeModuleRow(Module::Apps, walk.page));
    if (s.groupSystemAppsEnabled)
        walk.keep(makeModuleRow(Module::SystemApps, walk.page));
}

// Applies the first matching rule to the row at walk.index and moves the walk on. The rules
// before the master switch apply whatever it says.
void visit(Walk& walk)
{
    rt::Object* row = objectAt(walk.hostList, walk.index);
    std::string_view id = identifierView(row);
    Rule rule = ruleFor(id);
    auto& s = firstPass;

    if (rule == Rule::AccountGroup) {
        if (s.isBannerEnabled) {
            walk.keep(makeBannerRow(walk.page));
            if (!(s.stockiCloud && !s.isBannerSpacerEnabled))
                walk.keep(emptyGroupRow());
        }
        ++walk.index;
        return;
    }
    if (rule == Rule::GameCenter) {
        walk.keep(row);
        dispatchOnce(tweaksAfterGameCenter, [&] { walk.appendTweakRows(); });
        ++walk.index;
        return;
    }
    if (!moduleSwitchesOn())
        rule = Rule::Keep;

    switch (rule) {
    case Rule::FollowUp:
        if (s.isFollowUpEnabled)
            walk.keep(row);
        break;
    case Rule::Account:
        walk.keep(row);
        dispatchOnce(listRowsAfterAccount, [&] { accountListRows(walk); });
        break;
    case Rule::Family:
        if (s.isFamilyEnabled)
            walk.keep(row);
        break;
    case Rule::Airplane:
        return moduleStart(walk, row, s.isConnectivityGroupingEnabled, s.airplaneModeEnabled, Module::Connectivity, connectivitySpecifiers);
    case Rule::ConnectivityMember:
        memberRow(walk, row, s.isConnectivityGroupingEnabled, connectivitySwitch(id), nullptr);
        break;
    case Rule::Notifications:
        return moduleStart(walk, row, s.isNotificationsGroupingEnabled, s.notificationsEnabled, Module::Notifications, notificationSpecifiers);
    case Rule::NotificationsMember:
        memberRow(walk, row, s.isNotificationsGroupingEnabled, notificationsSwitch(id), nullptr);
        break;
    case Rule::General:
        if (!s.isGeneralGroupingEnabled && s.generalEnabled)
            walk.keep(row);
        dispatchOnce(generalIntoModule, [&] {
            if (s.isGeneralGroupingEnabled)
                appendUnlessPresent(generalSpecifiers, row);
        });
        if (s.isGeneralGroupingEnabled)
            walk.keep(makeModuleRow(Module::General, walk.page));
        break;
    case Rule::GeneralMember:
        memberRow(walk, row, s.isGeneralGroupingEnabled, generalSwitch(id), generalSpecifiers);
        break;
    case Rule::Passcode:
        if (s.isGeneralGroupingEnabled)
            dispatchOnce(groupBeforePasscode, [&] { walk.keep(emptyGroupRow()); });
        if (s.sepEnabled)
            walk.keep(row);
        if (s.isGeneralGroupingEnabled)
            dispatchOnce(tvProviderAndTweaks, [&] { tvProviderAndTweakStep(walk); });
        break;
    case Rule::Privacy:
        memberRow(walk, row, s.isGeneralGroupingEnabled, generalSwitch(id), generalSpecifiers);
        if (!s.isGeneralGroupingEnabled) {
            dispatchOnce(tweaksAfterPrivacy, [&] {
                if (!s.groupTweaksEnabled && s.groupSystemAppsEnabled)
                    walk.appendTweakRows();
            });
        }
        break;
    case Rule::Store:
        if (!s.groupSystemAppsEnabled) {
            walk.keep(row);
            break;
        }
        for (unsigned long i = walk.index, n = countOf(walk.hostList); i < n; ++i)
            append(systemAppSpecifiers, objectAt(walk.hostList, i));
        walk.finished = true;
        break;
    case Rule::SystemAppRow:
        if (!s.groupSystemAppsEnabled)
            walk.keep(row);
        break;
    default:
        walk.keep(row);
        break;
    }
    ++walk.index;
}

rt::Object* rootSpecifiers(rt::Object* self, rt::SEL cmd)
{
    Walk walk { self, originalSpecifiers(self, cmd), newMutableArray(), 0 };
    while (!walk.finished && walk.index < countOf(walk.hostList))
        visit(walk);
    dispatchOnce(installNewList, [&] { installSpecifiers(self, walk.newList); });
    return pageIvar(self, "_specifiers");
}

}

void installRootSpecifiers(rt::Class* rootPage) { replace(rootPage, "specifiers", &rootSpecifiers, &originalSpecifiers); }

}
