#include "host/foundation/Array.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UINavigationController.h"
#include "host/uikit/UINavigationItem.h"
#include "host/uikit/UISplitViewController.h"
#include "host/uikit/UITraitCollection.h"
#include "host/uikit/UIView.h"
#include "host/uikit/UIViewController.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UIViewController* controller(Object* o)
{
    return static_cast<UIViewController*>(o);
}

void registerLifecycle(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithNibName:bundle:"), +[](Object* s, SEL, Object*, Object*) { return s; });
    addMethod(
        c, sel("init"),
        +[](Object* s, SEL) { return send<Object*>(s, SELECTOR("initWithNibName:bundle:"), nullptr, nullptr); });
    addMethod(
        c, sel("view"), +[](Object* s, SEL) -> Object* { return controller(s)->view(); });
    addMethod(
        c, sel("viewIfLoaded"),
        +[](Object* s, SEL) -> Object* { return controller(s)->isViewLoaded() ? controller(s)->view() : nullptr; });
    bind<&UIViewController::setView>(c, "setView:");
    bind<&UIViewController::isViewLoaded>(c, "isViewLoaded");
    addMethod(
        c, sel("loadViewIfNeeded"), +[](Object* s, SEL) { controller(s)->view(); });
    // The steps themselves do nothing in UIViewController; subclasses and replacements fill them.
    addMethod(
        c, sel("loadView"), +[](Object*, SEL) {});
    addMethod(
        c, sel("viewDidLoad"), +[](Object*, SEL) {});
    addMethod(
        c, sel("viewWillAppear:"), +[](Object*, SEL, bool) {});
    addMethod(
        c, sel("viewDidAppear:"), +[](Object*, SEL, bool) {});
    addMethod(
        c, sel("viewWillDisappear:"), +[](Object*, SEL, bool) {});
    addMethod(
        c, sel("viewDidDisappear:"), +[](Object*, SEL, bool) {});
    addMethod(
        c, sel("viewWillLayoutSubviews"), +[](Object*, SEL) {});
    addMethod(
        c, sel("viewDidLayoutSubviews"), +[](Object*, SEL) {});
    addMethod(
        c, sel("willMoveToParentViewController:"), +[](Object*, SEL, Object*) {});
    addMethod(
        c, sel("didMoveToParentViewController:"), +[](Object*, SEL, Object*) {});
    addMethod(
        c, sel("_visibleChildrenForAppearance"), +[](Object*, SEL) -> Object* { return nullptr; });
}

void registerContainment(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("title"), +[](Object* s, SEL) -> Object* { return controller(s)->title(); });
    bind<&UIViewController::setTitle>(c, "setTitle:");
    addMethod(
        c, sel("navigationItem"), +[](Object* s, SEL) -> Object* { return controller(s)->navigationItem(); });
    addMethod(
        c, sel("navigationController"),
        +[](Object* s, SEL) -> Object* { return controller(s)->navigationController(); });
    addMethod(
        c, sel("parentViewController"),
        +[](Object* s, SEL) -> Object* { return controller(s)->parentViewController(); });
    addMethod(
        c, sel("childViewControllers"), +[](Object* s, SEL) -> Object* {
            auto& children = controller(s)->childViewControllers();
            return autorelease(NSArray::create(std::vector<Ref<Object>>(children.begin(), children.end())));
        });
    bind<&UIViewController::addChildViewController>(c, "addChildViewController:");
    bind<&UIViewController::removeFromParentViewController>(c, "removeFromParentViewController");
    addMethod(
        c, sel("presentViewController:animated:completion:"),
        +[](Object* s, SEL, Object* vc, bool animated, BlockBase* done) {
            controller(s)->presentViewController(vc, animated, done);
        });
    addMethod(
        c, sel("dismissViewControllerAnimated:completion:"),
        +[](Object* s, SEL, bool animated, BlockBase* done) { controller(s)->dismissViewController(animated, done); });
    addMethod(
        c, sel("presentedViewController"),
        +[](Object* s, SEL) -> Object* { return controller(s)->presentedViewController(); });
    addMethod(
        c, sel("tabBarController"), +[](Object*, SEL) -> Object* { return nullptr; });
    // The nearest split view the controller stands in, as UIKit's category finds it.
    addMethod(
        c, sel("splitViewController"), +[](Object* s, SEL) -> Object* {
            for (UIViewController* p = controller(s)->parentViewController(); p; p = p->parentViewController())
                if (rt::isKindOf(p, UISplitViewController::classObject()))
                    return p;
            return nullptr;
        });
}

void registerUIViewControllerTraits(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("traitCollection"), +[](Object* s, SEL) -> Object* {
            return UITraitCollection::forStyle(controller(s)->effectiveUserInterfaceStyle());
        });
    addMethod(
        c, sel("traitCollectionDidChange:"), +[](Object*, SEL, Object*) {});
    bind<&UIViewController::overrideUserInterfaceStyle>(c, "overrideUserInterfaceStyle");
    bind<&UIViewController::setOverrideUserInterfaceStyle>(c, "setOverrideUserInterfaceStyle:");
    addMethod(
        c, sel("setNeedsStatusBarAppearanceUpdate"), +[](Object*, SEL) {});
}

}

Class* UIViewController::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIViewController>("UIViewController", UIResponder::classObject());
        registerLifecycle(c);
        registerContainment(c);
        registerUIViewControllerTraits(c);
        return c;
    }();
    return cls;
}
