#include "tamarind/regrouping/ListPages.h"

#include "host/foundation/Dispatch.h"
#include "host/foundation/String.h"
#include "tamarind/regrouping/EntryReader.h"
#include "tamarind/regrouping/Rows.h"
#include "tamarind/startup/ModuleArrays.h"
#include "tamarind/startup/ReplacementTable.h"
#include "tamarind/startup/Settings.h"

namespace tamarind {

namespace {

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
    if (!pageIvar(self, "_specifiers"))
        setPageIvar(self, "_specifiers", thirdPartySpecifiers);
    return pageIvar(self, "_specifiers");
}

rt::Object* systemAppsSpecifiers(rt::Object* self, rt::SEL)
{
    if (rt::Object* existing = pageIvar(self, "_specifiers"))
        return existing;
    setPageIvar(self, "_specifiers", systemAppSpecifiers);
    for (unsigned long i = 0, n = countOf(systemAppSpecifiers); i < n; ++i) {
        rt::Object* row = objectAt(systemAppSpecifiers, i);
        rt::Object* key = rt::send<rt::Object*>(row, SELECTOR("propertyForKey:"), ns("iconCache"));
        rt::send(row, SELECTOR("setProperty:forKey:"), iconCacheImage(key), ns("iconImage"));
    }
    return pageIvar(self, "_specifiers");
}

void viewDidLoad(rt::Object* self, rt::SEL cmd)
{
    rt::sendSuper(self, definingClass(self, cmd, reinterpret_cast<rt::IMP>(&viewDidLoad)), cmd);
    rt::send(self, SELECTOR("reloadSpecifiers"));
}

template<const char* Title>
rt::Object* title(rt::Object*, rt::SEL) { return ns(Title); }

constexpr char kTweaksTitle[] = "Tweaks";
constexpr char kAppsTitle[] = "Apps";
constexpr char kSystemAppsTitle[] = "System Apps";

using Completion = void(rt::Object*, rt::Object*);
using LoadImp = void (*)(rt::Object*, rt::SEL, rt::Object*, rt::BlockBase*);
using LoadWithClipsImp = void (*)(rt::Object*, rt::SEL, rt::Object*, bool, rt::BlockBase*);
LoadImp originalLoad;
LoadWithClipsImp originalLoadWithClips;
DispatchOnceToken loadOnce, loadWithClipsOnce;

bool moveAppRows() { return firstPass.groupThirdPartyAppsEnabled && firstPass.isCustomTableCellCustomizabilityEnabled; }

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

void loadThirdParty(rt::Object* self, rt::SEL cmd, rt::Object* apps, rt::BlockBase* completion)
{
    if (!moveAppRows())
        return originalLoad(self, cmd, apps, completion);
    originalLoad(self, cmd, apps, wrapCompletion(self, completion, loadOnce).get());
}

void loadThirdPartyWithClips(rt::Object* self, rt::SEL cmd, rt::Object* apps, bool clips, rt::BlockBase* completion)
{
    if (!moveAppRows())
        return originalLoadWithClips(self, cmd, apps, clips, completion);
    originalLoadWithClips(self, cmd, apps, clips, wrapCompletion(self, completion, loadWithClipsOnce).get());
}

rt::Class* registerListPage(const char* name, rt::Class* super, rt::Object* (*specifiers)(rt::Object*, rt::SEL),
    rt::Object* (*titleImp)(rt::Object*, rt::SEL), bool declaresTable)
{
    rt::ClassBuilder builder(name, super);
    if (declaresTable)
        builder.ivar<rt::Ref<rt::Object>>("_table");
    return builder.method("specifiers", specifiers).method("viewDidLoad", &viewDidLoad).method("title", titleImp).registerClass();
}

}

void registerListPages()
{
    rt::Class* listController = rt::getClass("PSListController");
    if (!listController)
        return;
    registerListPage("TMTweaksListController", listController, &tweaksSpecifiers, &title<kTweaksTitle>, true);
    registerListPage("TMAppsListController", listController, &appsSpecifiers, &title<kAppsTitle>, false);
    registerListPage("TMSystemAppsListController", listController, &systemAppsSpecifiers, &title<kSystemAppsTitle>, false);
}

void installThirdPartyLoading(rt::Class* rootPage)
{
    replace(rootPage, "_reallyLoadThirdPartySpecifiersForApps:withCompletion:", &loadThirdParty, &originalLoad);
}

void installThirdPartyLoadingWithAppClips(rt::Class* rootPage)
{
    replace(rootPage, "_reallyLoadThirdPartySpecifiersForApps:shouldAddAppClipSpecifier:withCompletion:", &loadThirdPartyWithClips,
        &originalLoadWithClips);
}

}

void fixThirdPartySpecifiers(rt::Object* controller, rt::Object* rows, rt::Object*)
{
    using namespace tamarind;
    auto remaining = rt::adopt(rt::send<rt::Object*>(rt::send<rt::Object*>(controller, SELECTOR("specifiers")), SELECTOR("mutableCopy")));
    rt::send(thirdPartySpecifiers, SELECTOR("removeAllObjects"));
    rt::send(thirdPartySpecifiers, SELECTOR("addObjectsFromArray:"), rows);
    rt::send(remaining, SELECTOR("removeObjectsInArray:"), thirdPartySpecifiers);
    rt::Ref<rt::Object> target(controller);
    dispatchAfterMain(10'000'000, [target, remaining] { rt::send(target, SELECTOR("setSpecifiers:"), remaining.get()); });
}
