#include "tamarind/regrouping/RootListWalk.h"

#include <string>

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

// Applies the first matching rule to the row at walk.index and moves the walk on.
void visit(Walk& walk)
{
    rt::Object* row = objectAt(walk.hostList, walk.index);
    std::string id = identifierOf(row);
    auto& s = firstPass;

    if (id == "PRIMARY_APPLE_ACCOUNT_GROUP") {
        if (s.isBannerEnabled) {
            walk.keep(makeBannerRow(walk.page));
            if (!(s.stockiCloud && !s.isBannerSpacerEnabled))
                walk.keep(emptyGroupRow());
        }
    } else if (id == "GAMECENTER") {
        walk.keep(row);
        dispatchOnce(tweaksAfterGameCenter, [&] { walk.appendTweakRows(); });
    } else if (!moduleSwitchesOn()) {
        walk.keep(row);
    } else if (id == "FollowUpList_com.apple.followup.-group.account") {
        if (s.isFollowUpEnabled)
            walk.keep(row);
    } else if (id == "APPLE_ACCOUNT") {
        walk.keep(row);
        dispatchOnce(listRowsAfterAccount, [&] {
            if (!s.groupTweaksEnabled && !s.groupThirdPartyAppsEnabled && !s.groupSystemAppsEnabled)
                return;
            walk.keep(emptyGroupRow());
            if (s.groupTweaksEnabled)
                walk.keep(makeModuleRow(Module::Tweaks, walk.page));
            if (s.groupThirdPartyAppsEnabled)
                walk.keep(makeModuleRow(Module::Apps, walk.page));
            if (s.groupSystemAppsEnabled)
                walk.keep(makeModuleRow(Module::SystemApps, walk.page));
        });
    } else if (id == "Family") {
        if (s.isFamilyEnabled)
            walk.keep(row);
    } else if (id == "AIRPLANE_MODE") {
        return moduleStart(walk, row, s.isConnectivityGroupingEnabled, s.airplaneModeEnabled, Module::Connectivity, connectivitySpecifiers);
    } else if (id == "WIFI" || id == "ETHERNET" || id == "Bluetooth" || id == "MOBILE_DATA_SETTINGS_ID" || id == "INTERNET_TETHERING" || id == "VPN") {
        memberRow(walk, row, s.isConnectivityGroupingEnabled, connectivitySwitch(id), nullptr);
    } else if (id == "NOTIFICATIONS_ID") {
        return moduleStart(walk, row, s.isNotificationsGroupingEnabled, s.notificationsEnabled, Module::Notifications, notificationSpecifiers);
    } else if (id == "Sounds" || id == "DO_NOT_DISTURB" || id == "SCREEN_TIME") {
        memberRow(walk, row, s.isNotificationsGroupingEnabled, notificationsSwitch(id), nullptr);
    } else if (id == "General") {
        if (!s.isGeneralGroupingEnabled && s.generalEnabled)
            walk.keep(row);
        dispatchOnce(generalIntoModule, [&] {
            if (s.isGeneralGroupingEnabled)
                appendUnlessPresent(generalSpecifiers, row);
        });
        if (s.isGeneralGroupingEnabled)
            walk.keep(makeModuleRow(Module::General, walk.page));
    } else if (id == "ControlCenter" || id == "HOME_SCREEN" || id == "DISPLAY" || id == "ACCESSIBILITY"
        || id == "Exposure Notifications" || id == "Wallpaper" || id == "SIRI" || id == "EMERGENCY_SOS" || id == "BATTERY_USAGE") {
        memberRow(walk, row, s.isGeneralGroupingEnabled, generalSwitch(id), generalSpecifiers);
    } else if (id == "PASSCODE") {
        if (s.isGeneralGroupingEnabled)
            dispatchOnce(groupBeforePasscode, [&] { walk.keep(emptyGroupRow()); });
        if (s.sepEnabled)
            walk.keep(row);
        if (s.isGeneralGroupingEnabled)
            dispatchOnce(tvProviderAndTweaks, [&] { tvProviderAndTweakStep(walk); });
    } else if (id == "Privacy") {
        memberRow(walk, row, s.isGeneralGroupingEnabled, generalSwitch(id), generalSpecifiers);
        if (!s.isGeneralGroupingEnabled) {
            dispatchOnce(tweaksAfterPrivacy, [&] {
                if (!s.groupTweaksEnabled && s.groupSystemAppsEnabled)
                    walk.appendTweakRows();
            });
        }
    } else if (id == "STORE") {
        if (!s.groupSystemAppsEnabled) {
            walk.keep(row);
        } else {
            for (unsigned long i = walk.index, n = countOf(walk.hostList); i < n; ++i)
                append(systemAppSpecifiers, objectAt(walk.hostList, i));
            walk.finished = true;
        }
    } else if (id == "HOMEKIT" || id == "com.apple.podcasts") {
        if (!s.groupSystemAppsEnabled)
            walk.keep(row);
    } else {
        walk.keep(row);
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
