#include "tamarind/regrouping/ListPages.h"

#include "host/foundation/Dispatch.h"
#include "tamarind/core/ModuleArrays.h"
#include "tamarind/core/Rows.h"
#include "tamarind/core/Settings.h"
#include "tamarind/regrouping/EntryReader.h"
#include "tamarind/regrouping/Modules.h"
#include "tamarind/regrouping/OwnPages.h"

namespace tamarind {

Saved<LoadAppsImp> originalLoadThirdPartyRows;
Saved<LoadAppsWithClipsImp> originalLoadThirdPartyRowsWithClips;

namespace {

// An immutable copy of the tweak rows as the entry files describe them now.
rt::Object* tweaksSpecifiers(rt::Object* self, rt::SEL)
{
    if (rt::Object* existing = pageIvar(self, "_specifiers"))
        return existing;
    auto copy = rt::adopt(rt::send<rt::Object*>(sortedTweakRows(self), SELECTOR("copy")));
    setPageIvar(self, "_specifiers", copy.get());
    return pageIvar(self, "_specifiers");
}

rt::Object* appsSpecifiers(rt::Object* self, rt::SEL)
{
    return showModuleArray(self, moduleArray(Module::Apps), RowIcons::AsTheyAre);
}

rt::Object* systemAppsSpecifiers(rt::Object* self, rt::SEL)
{
    return showModuleArray(self, moduleArray(Module::SystemApps), RowIcons::FromIconCache);
}

constexpr char kTweaksTitle[] = "Tweaks";
constexpr char kAppsTitle[] = "Apps";
constexpr char kSystemAppsTitle[] = "System Apps";

using Completion = void(rt::Object*, rt::Object*);
DispatchOnceToken loadOnce, loadWithClipsOnce;

bool moveAppRows()
{
    return groupingOn(Module::Apps) && regroupingEnabled();
}

// Wraps the caller's completion: it runs first, then, once per process, the rows move.
rt::Ref<rt::Block<Completion>> wrapCompletion(rt::Object* rootPage, rt::BlockBase* completion, DispatchOnceToken& once)
{
    rt::Ref<rt::Object> caller(completion);
    rt::Ref<rt::Object> page(rootPage);
    return rt::makeBlock<Completion>([caller, page, &once](rt::Object* rows, rt::Object* dictionary) {
        if (caller)
            rt::callBlock<Completion>(caller, rows, dictionary);
        dispatchOnce(once, [&] { fixThirdPartySpecifiers(page, rows, dictionary); });
    });
}
}

void loadThirdPartyRows(rt::Object* self, rt::SEL cmd, rt::Object* apps, rt::BlockBase* completion)
{
    if (!moveAppRows())
        return originalLoadThirdPartyRows(self, cmd, apps, completion);
    originalLoadThirdPartyRows(self, cmd, apps, wrapCompletion(self, completion, loadOnce).get());
}

void loadThirdPartyRowsWithClips(rt::Object* self, rt::SEL cmd, rt::Object* apps, bool clips, rt::BlockBase* completion)
{
    if (!moveAppRows())
        return originalLoadThirdPartyRowsWithClips(self, cmd, apps, clips, completion);
    originalLoadThirdPartyRowsWithClips(
        self, cmd, apps, clips, wrapCompletion(self, completion, loadWithClipsOnce).get());
}

void registerListPages()
{
    registerOwnPage({ "TMTweaksListController", &tweaksSpecifiers, &fixedTitle<kTweaksTitle>, &declareUnusedTable });
    registerOwnPage({ "TMAppsListController", &appsSpecifiers, &fixedTitle<kAppsTitle> });
    registerOwnPage({ "TMSystemAppsListController", &systemAppsSpecifiers, &fixedTitle<kSystemAppsTitle> });
}

}

extern "C" void fixThirdPartySpecifiers(rt::Object* controller, rt::Object* rows, rt::Object*)
{
    using namespace tamarind;
    rt::Object* apps = moduleArray(Module::Apps);
    auto remaining = rt::adopt(
        rt::send<rt::Object*>(rt::send<rt::Object*>(controller, SELECTOR("specifiers")), SELECTOR("mutableCopy")));
    rt::send(apps, SELECTOR("removeAllObjects"));
    rt::send(apps, SELECTOR("addObjectsFromArray:"), rows);
    rt::send(remaining, SELECTOR("removeObjectsInArray:"), apps);
    rt::Ref<rt::Object> target(controller);
    dispatchAfterMain(
        10'000'000, [target, remaining] { rt::send(target, SELECTOR("setSpecifiers:"), remaining.get()); });
}
