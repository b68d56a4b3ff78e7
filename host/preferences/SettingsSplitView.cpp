#include "host/preferences/SettingsSplitView.h"

#include "host/foundation/Array.h"
#include "host/preferences/PSSpecifier.h"
#include "host/preferences/PreferencesConstants.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UINavigationBar.h"
#include "host/uikit/UINavigationController.h"
#include "host/uikit/UISplitViewController.h"
#include "host/uikit/UIView.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace settings {

namespace {

// UINavigationItemLargeTitleDisplayModeNever: the empty page shows only a bar.
constexpr long kLargeTitleNever = 2;

Class* emptyDetailPageClass()
{
    static Class* cls = [] {
        Class* c = rt::ClassBuilder("SettingsEmptyDetailController", UIViewController::classObject())
                       .method(
                           "viewDidLoad", +[](Object* s, SEL) {
                               rt::sendSuper(s, rt::getClass("SettingsEmptyDetailController"), SELECTOR("viewDidLoad"));
                               Object* view = rt::send<Object*>(s, SELECTOR("view"));
                               rt::send(view, SELECTOR("setBackgroundColor:"),
                                   UIColor::systemColor("systemGroupedBackgroundColor"));
                               rt::send(rt::send<Object*>(s, SELECTOR("navigationItem")),
                                   SELECTOR("setLargeTitleDisplayMode:"), kLargeTitleNever);
                           })
                       .registerClass();
        return c;
    }();
    return cls;
}

}

rt::Ref<Object> makeEmptyDetailPage() { return rt::newObject(emptyDetailPageClass()); }

bool isEmptyDetailPage(Object* controller) { return controller && rt::isKindOf(controller, emptyDetailPageClass()); }

rt::Ref<Object> makeSplitView(Object* primaryNavigation)
{
    auto split = rt::newObject(UISplitViewController::classObject());
    auto empty = makeEmptyDetailPage();
    auto secondary = UINavigationController::create(empty.get());
    rt::send(secondary->navigationBar(), SELECTOR("setPrefersLargeTitles:"), true);
    rt::send(split.get(), SELECTOR("setViewControllers:"),
        NSArray::create({ rt::Ref<Object>(primaryNavigation), rt::Ref<Object>(secondary.get()) }).get());
    return split;
}

bool isLinkRow(Object* row)
{
    auto* spec = rt::dynamicCast<PSSpecifier>(row, PSSpecifier::classObject());
    return spec && (spec->cellType() == PSLinkCell || spec->cellType() == PSLinkListCell);
}

bool opensPagesBeside(Object* page)
{
    auto* split = rt::dynamicCast<UISplitViewController>(
        rt::send<Object*>(page, SELECTOR("splitViewController")), UISplitViewController::classObject());
    return split && split->primary() && rt::send<Object*>(page, SELECTOR("navigationController")) == split->primary();
}

void showBeside(Object* page, Object* controller)
{
    Object* split = rt::send<Object*>(page, SELECTOR("splitViewController"));
    rt::Ref<Object> shown = controller ? rt::Ref<Object>(controller) : makeEmptyDetailPage();
    rt::send(split, SELECTOR("showDetailViewController:sender:"), shown.get(), page);
}

}
