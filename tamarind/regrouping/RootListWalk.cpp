#include "tamarind/regrouping/RootListWalk.h"

#include "host/foundation/Dispatch.h"
#include "host/foundation/String.h"
#include "tamarind/core/Grouping.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/ModuleArrays.h"
#include "tamarind/core/Rows.h"
#include "tamarind/core/Settings.h"
#include "tamarind/regrouping/EntryReader.h"
#include "tamarind/regrouping/RootRules.h"

namespace tamarind {

Saved<SpecifiersImp> originalRootSpecifiers;

namespace {

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

// Moves the run that starts at the walk's row into `array`, up to the next group row, and
// continues the walk at that group row. The start row itself always moves, whatever its cell:
// were it a group row that stays, the walk would meet it again and again.
void moveRun(Walk& walk, rt::Object* array)
{
    unsigned long n = countOf(walk.hostList);
    append(array, objectAt(walk.hostList, walk.index));
    unsigned long i = walk.index + 1;
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

// A row that stays on the root list only while its module is off and its own switch is on.
void memberRow(Walk& walk, rt::Object* row, const RowRule& rule)
{
    if (!groupingOn(rule.module)) {
        if (switchOn(rule))
            walk.keep(row);
        return;
    }
    if (gathersMembersOnWalk(rule.module))
        appendUnlessPresent(moduleArray(rule.module), row);
}

void moduleStart(Walk& walk, rt::Object* row, const RowRule& rule)
{
    if (!groupingOn(rule.module)) {
        if (switchOn(rule))
            walk.keep(row);
        ++walk.index;
        return;
    }
    walk.keep(makeModuleRow(rule.module, walk.page));
    moveRun(walk, moduleArray(rule.module));
}

// With System Apps grouping on, the Store and every row after it, group rows included, move.
void store(Walk& walk, rt::Object* row)
{
    if (!groupingOn(Module::SystemApps)) {
        walk.keep(row);
        ++walk.index;
        return;
    }
    for (unsigned long i = walk.index, n = countOf(walk.hostList); i < n; ++i)
        append(moduleArray(Module::SystemApps), objectAt(walk.hostList, i));
    walk.finished = true;
}

// The account section's group row gives way to the banner, in a section of its own unless the
// stock account cell is shown without a spacer.
void bannerForAccountGroup(Walk& walk)
{
    auto& s = firstPass;
    if (!s.isBannerEnabled)
        return;
    walk.keep(makeBannerRow(walk.page));
    if (!(s.stockiCloud && !s.isBannerSpacerEnabled))
        walk.keep(emptyGroupRow());
}

void listRowsAfterAccountRow(Walk& walk)
{
    bool tweaks = groupingOn(Module::Tweaks), apps = groupingOn(Module::Apps),
         systemApps = groupingOn(Module::SystemApps);
    if (!tweaks && !apps && !systemApps)
        return;
    walk.keep(emptyGroupRow());
    if (tweaks)
        walk.keep(makeModuleRow(Module::Tweaks, walk.page));
    if (apps)
        walk.keep(makeModuleRow(Module::Apps, walk.page));
    if (systemApps)
        walk.keep(makeModuleRow(Module::SystemApps, walk.page));
}

// With the Tweaks list off and System Apps grouping on, the tweak rows also follow a row met
// later in the walk, since Game Center may have gone to the System Apps page with the Store.
bool tweaksNeedAnotherPlace()
{
    return !groupingOn(Module::Tweaks) && groupingOn(Module::SystemApps);
}

void tvProviderAndTweakStep(Walk& walk)
{
    static HostClass deviceClass("UIDevice");
    rt::Object* version = rt::send<rt::Object*>(
        rt::send<rt::Object*>(deviceClass.get(), SELECTOR("currentDevice")), SELECTOR("systemVersion"));
    if (firstPass.tvProviderEnabled && !groupingOn(Module::SystemApps)
        && rt::send<float>(version, SELECTOR("floatValue")) < 15.0f) {
        if (rt::Object* videoSubscriber = pageIvar(walk.page, "_videoSubscriberSpecifier")) {
            walk.keep(emptyGroupRow());
            walk.keep(videoSubscriber);
        }
    }
    if (tweaksNeedAnotherPlace())
        walk.appendTweakRows();
}

// The rules that need no once-per-process step; each moves the walk on.
void applyRule(Walk& walk, rt::Object* row, WalkRule step, const RowRule* rule)
{
    switch (step) {
    case WalkRule::ModuleStart:
        return moduleStart(walk, row, *rule);
    case WalkRule::Store:
        return store(walk, row);
    case WalkRule::AccountGroup:
        bannerForAccountGroup(walk);
        break;
    case WalkRule::KeepIfSwitchOn:
        if (switchOn(*rule))
            walk.keep(row);
        break;
    case WalkRule::Member:
        memberRow(walk, row, *rule);
        break;
    default:
        walk.keep(row);
        break;
    }
    ++walk.index;
}

// Applies the row's rule at walk.index and moves the walk on. Only the account group and Game
// Center rules hold whatever the master switch says; with it off every other row stays.
void visit(Walk& walk)
{
    rt::Object* row = objectAt(walk.hostList, walk.index);
    const RowRule* rule = rowRule(identifierView(row));
    WalkRule step = rule ? rule->walk : WalkRule::Keep;
    if (!regroupingEnabled() && step != WalkRule::AccountGroup && step != WalkRule::GameCenter)
        step = WalkRule::Keep;

    switch (step) {
    case WalkRule::GameCenter:
        walk.keep(row);
        dispatchOnce(tweaksAfterGameCenter, [&] { walk.appendTweakRows(); });
        break;
    case WalkRule::Account:
        walk.keep(row);
        dispatchOnce(listRowsAfterAccount, [&] { listRowsAfterAccountRow(walk); });
        break;
    case WalkRule::GeneralStart: {
        bool grouping = groupingOn(Module::General);
        if (!grouping && switchOn(*rule))
            walk.keep(row);
        dispatchOnce(generalIntoModule, [&] {
            if (grouping)
                appendUnlessPresent(moduleArray(Module::General), row);
        });
        if (grouping)
            walk.keep(makeModuleRow(Module::General, walk.page));
        break;
    }
    case WalkRule::Passcode:
        // The passcode row begins a section of its own after the General module row.
        if (groupingOn(Module::General))
            dispatchOnce(groupBeforePasscode, [&] { walk.keep(emptyGroupRow()); });
        if (switchOn(*rule))
            walk.keep(row);
        if (groupingOn(Module::General))
            dispatchOnce(tvProviderAndTweaks, [&] { tvProviderAndTweakStep(walk); });
        break;
    case WalkRule::Privacy:
        memberRow(walk, row, *rule);
        if (!groupingOn(Module::General)) {
            dispatchOnce(tweaksAfterPrivacy, [&] {
                if (tweaksNeedAnotherPlace())
                    walk.appendTweakRows();
            });
        }
        break;
    default:
        return applyRule(walk, row, step, rule);
    }
    ++walk.index;
}

}

rt::Object* rootSpecifiers(rt::Object* self, rt::SEL cmd)
{
    Walk walk { self, originalRootSpecifiers(self, cmd), newMutableArray(), 0 };
    while (!walk.finished && walk.index < countOf(walk.hostList))
        visit(walk);
    dispatchOnce(installNewList, [&] { installSpecifiers(self, walk.newList); });
    return pageIvar(self, "_specifiers");
}

}
