#include "SplitViewDump.h"

#include "CellDump.h"

#include "host/foundation/Array.h"
#include "host/foundation/String.h"
#include "host/preferences/PSListController.h"
#include "host/preferences/PSSpecifier.h"
#include "host/preferences/SettingsApp.h"
#include "host/preferences/SettingsSplitView.h"
#include "host/uikit/NSIndexPath.h"
#include "host/uikit/UINavigationController.h"
#include "host/uikit/UISplitViewController.h"

using nlohmann::json;

namespace {

json pageOf(UINavigationController* column)
{
    UIViewController* top = column ? column->topViewController() : nullptr;
    if (!top || settings::isEmptyDetailPage(top))
        return { { "page", nullptr }, { "title", nullptr } };
    return { { "page", top->isa()->name() }, { "title", optionalText(rt::send<rt::Object*>(top, SELECTOR("title"))) } };
}

// The identifier of the root list's selected row, as the root table marks it.
json selectedRootRow()
{
    rt::Object* root = settings::rootPage();
    rt::Object* table = rt::send<rt::Object*>(root, SELECTOR("table"));
    auto* path = rt::dynamicCast<NSIndexPath>(
        rt::send<rt::Object*>(table, SELECTOR("indexPathForSelectedRow")), NSIndexPath::classObject());
    if (!path || !isListController(root))
        return nullptr;
    rt::Object* row = static_cast<PSListController*>(root)->specifierAt(path->section(), path->row());
    return row ? json(static_cast<PSSpecifier*>(row)->identifier()) : json(nullptr);
}

}

json dumpSplitView()
{
    auto* split = rt::dynamicCast<UISplitViewController>(settings::splitViewController(), UISplitViewController::classObject());
    if (!split)
        return nullptr;
    rt::AutoreleasePool pool;
    auto* primary = rt::dynamicCast<UINavigationController>(split->primary(), UINavigationController::classObject());
    auto* secondary = rt::dynamicCast<UINavigationController>(split->secondary(), UINavigationController::classObject());
    json left = pageOf(primary);
    left["frame"] = primary ? frameOf(primary->view()) : json(nullptr);
    left["selectedRow"] = selectedRootRow();
    json right = pageOf(secondary);
    right["frame"] = secondary ? frameOf(secondary->view()) : json(nullptr);
    right["depth"] = secondary ? secondary->childViewControllers().size() : 0;
    right["empty"] = !settings::showsPageBeside();
    return { { "primaryColumn", left }, { "secondaryColumn", right } };
}
