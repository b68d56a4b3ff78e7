#include "host/preferences/SettingsApp.h"

#include <nlohmann/json.hpp>

#include "host/foundation/RunLoop.h"
#include "host/platform/Device.h"
#include "host/preferences/DevicePages.h"
#include "host/preferences/MCProfileListController.h"
#include "host/preferences/PKIconImageCache.h"
#include "host/preferences/PLLocalizedListController.h"
#include "host/preferences/PSCapacityBarCell.h"
#include "host/preferences/PSCapacityBarView.h"
#include "host/preferences/PSGAboutController.h"
#include "host/preferences/PSListController.h"
#include "host/preferences/PSSliderTableCell.h"
#include "host/preferences/PSSpecifier.h"
#include "host/preferences/PSKeyboardNavigationSearchBar.h"
#include "host/preferences/PSUIPrefsListController.h"
#include "host/preferences/PSURLManager.h"
#include "host/preferences/STStorageController.h"
#include "host/preferences/STStorageDiskMonitor.h"
#include "host/preferences/SettingsCells.h"
#include "host/preferences/SettingsDetailController.h"
#include "host/preferences/SettingsSplitView.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UISplitViewController.h"
#include "host/uikit/UITraitCollection.h"

namespace settings {

namespace {

rt::Ref<rt::Object>& windowRef()
{
    static auto* w = new rt::Ref<rt::Object>;
    return *w;
}

rt::Ref<rt::Object>& navigationRef()
{
    static auto* n = new rt::Ref<rt::Object>;
    return *n;
}

rt::Ref<rt::Object>& splitRef()
{
    static auto* s = new rt::Ref<rt::Object>;
    return *s;
}

rt::Object* secondaryNavigation()
{
    auto* split = static_cast<UISplitViewController*>(splitRef().get());
    return split ? split->secondary() : nullptr;
}

// The icon badge Settings shows for waiting software updates, as the device describes it.
void showWaitingUpdates()
{
    auto& json = currentDevice().json;
    if (!json || !json->is_object() || !json->contains("applicationIconBadgeNumber"))
        return;
    auto& badge = (*json)["applicationIconBadgeNumber"];
    if (!badge.is_number_integer())
        return;
    rt::Object* app = rt::send<rt::Object*>(rt::getClass("UIApplication"), SELECTOR("sharedApplication"));
    rt::send(app, SELECTOR("setApplicationIconBadgeNumber:"), badge.get<long>());
}

}

void registerAppClasses()
{
    PSSpecifier::classObject();
    PSListController::classObject();
    PSUIPrefsListController::classObject();
    keyboardNavigationSearchBarClass();
    PLLocalizedListController::classObject();
    PKIconImageCache::classObject();
    SettingsDetailController::classObject();
    PSGGeneralController::classObject();
    PSGAboutController::classObject();
    STStorageController::classObject();
    PSCapacityBarCell::classObject();
    PSCapacityBarView::classObject();
    PSCapacityBarData::classObject();
    PSURLManager::classObject();
    MCProfileListController::classObject();
    DevicePageController::registerPageClasses();
    registerSettingsCellClasses();
    PSSliderTableCell::classObject();
    PSSliderTableCell::sliderClass();
    STStorageDiskMonitor::classObject();
    // Settings' navigation controller knows its root list page.
    rt::addMethod(rt::getClass("UINavigationController"), rt::sel("rootListController"), +[](rt::Object* self, rt::SEL) {
        rt::Object* controllers = rt::send<rt::Object*>(self, SELECTOR("viewControllers"));
        return rt::send<rt::Object*>(controllers, SELECTOR("firstObject"));
    });
}

rt::Object* launch(long interfaceStyle)
{
    rt::AutoreleasePool pool;
    rt::Object* screen = rt::send<rt::Object*>(rt::getClass("UIScreen"), SELECTOR("mainScreen"));
    CGRect bounds = rt::send<CGRect>(screen, SELECTOR("bounds"));
    auto window = rt::adopt(rt::send<rt::Object*>(rt::send<rt::Object*>(rt::getClass("UIWindow"), SELECTOR("alloc")),
        SELECTOR("initWithFrame:"), bounds));
    rt::send(window, SELECTOR("setOverrideUserInterfaceStyle:"), interfaceStyle);
    auto root = rt::newObject(PSUIPrefsListController::classObject());
    auto navigation = rt::adopt(rt::send<rt::Object*>(rt::send<rt::Object*>(rt::getClass("UINavigationController"), SELECTOR("alloc")),
        SELECTOR("initWithRootViewController:"), root.get()));
    rt::send(rt::send<rt::Object*>(navigation, SELECTOR("navigationBar")), SELECTOR("setPrefersLargeTitles:"), true);
    PSURLManager::sharedManager()->setTopLevelController(root.get());
    showWaitingUpdates();
    if (UIScreen::deviceIdiom() == UIUserInterfaceIdiomPad)
        splitRef() = makeSplitView(navigation.get());
    rt::send(window, SELECTOR("setRootViewController:"), splitRef() ? splitRef().get() : navigation.get());
    rt::send(window, SELECTOR("makeKeyAndVisible"));
    windowRef() = window;
    navigationRef() = navigation;
    RunLoop::main().runUntilIdle();
    return navigation.get();
}

rt::Object* navigationController()
{
    rt::Object* secondary = secondaryNavigation();
    return secondary ? secondary : navigationRef().get();
}

rt::Object* rootNavigationController() { return navigationRef().get(); }
rt::Object* splitViewController() { return splitRef().get(); }
rt::Object* window() { return windowRef().get(); }

rt::Object* rootPage()
{
    rt::Object* controllers = rt::send<rt::Object*>(navigationRef(), SELECTOR("viewControllers"));
    return rt::send<rt::Object*>(controllers, SELECTOR("firstObject"));
}

bool showsPageBeside()
{
    rt::Object* secondary = secondaryNavigation();
    return secondary && !isEmptyDetailPage(rt::send<rt::Object*>(secondary, SELECTOR("topViewController")));
}

rt::Object* topPage()
{
    rt::Object* shown = splitRef() && !showsPageBeside() ? navigationRef().get() : navigationController();
    return rt::send<rt::Object*>(shown, SELECTOR("topViewController"));
}

}
