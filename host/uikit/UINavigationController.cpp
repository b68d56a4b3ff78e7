#include "host/uikit/UINavigationController.h"

#include <algorithm>

#include "host/foundation/Array.h"
#include "host/runtime/Bind.h"
#include "host/uikit/StatusBar.h"
#include "host/uikit/UINavigationBar.h"
#include "host/uikit/UINavigationItem.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UIScrollView.h"
#include "host/uikit/UIView.h"
#include "host/uikit/UIWindow.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UINavigationController* nav(Object* o)
{
    return static_cast<UINavigationController*>(o);
}

// The controller's view: it lays out the bar and the top page whenever it lays out.
class LayoutContainerView final : public UIView { };

Class* containerClass()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<LayoutContainerView>("UILayoutContainerView", UIView::classObject());
        rt::addMethod(
            c, rt::sel("layoutSubviews"), +[](Object* s, SEL) {
                rt::sendSuper(s, rt::getClass("UILayoutContainerView"), SELECTOR("layoutSubviews"));
                auto* controller = rt::dynamicCast<UINavigationController>(
                    static_cast<UIView*>(s)->viewController(), UINavigationController::classObject());
                if (controller)
                    controller->layoutContainer();
            });
        return c;
    }();
    return cls;
}

UIScrollView* firstScrollView(UIView* view, int depth = 0)
{
    if (!view || depth > 3)
        return nullptr;
    if (rt::isKindOf(view, UIScrollView::classObject()))
        return static_cast<UIScrollView*>(view);
    for (auto& child : view->subviews())
        if (auto* found = firstScrollView(child.get(), depth + 1))
            return found;
    return nullptr;
}

void registerUINavigationControllerMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithRootViewController:"), +[](Object* s, SEL, Object* root) -> Object* {
            s = send<Object*>(s, SELECTOR("initWithNibName:bundle:"), nullptr, nullptr);
            if (s && root)
                nav(s)->pushViewController(root, false);
            return s;
        });
    addMethod(
        c, sel("loadView"), +[](Object* s, SEL) {
            auto view = UIView::create(containerClass(), UIScreen::mainScreen()->bounds());
            nav(s)->setView(view.get());
            view->addSubview(nav(s)->navigationBar());
            // Pages pushed before the view existed show now.
            if (UIViewController* top = nav(s)->topViewController()) {
                UIView* page = top->view();
                page->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
                send(page, SELECTOR("setFrame:"), view->bounds());
                view->insertSubview(page, 0);
            }
        });
    addMethod(
        c, sel("navigationBar"), +[](Object* s, SEL) -> Object* { return nav(s)->navigationBar(); });
    addMethod(
        c, sel("topViewController"), +[](Object* s, SEL) -> Object* { return nav(s)->topViewController(); });
    addMethod(
        c, sel("visibleViewController"), +[](Object* s, SEL) -> Object* {
            UIViewController* top = nav(s)->topViewController();
            return top && top->presentedViewController() ? top->presentedViewController() : top;
        });
}

void registerStackMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("viewControllers"), +[](Object* s, SEL) -> Object* {
            auto& children = nav(s)->childViewControllers();
            return autorelease(NSArray::create(std::vector<Ref<Object>>(children.begin(), children.end())));
        });
    addMethod(
        c, sel("setViewControllers:"), +[](Object* s, SEL, Object* a) { nav(s)->setViewControllers(a, false); });
    bind<&UINavigationController::setViewControllers>(c, "setViewControllers:animated:");
    bind<&UINavigationController::pushViewController>(c, "pushViewController:animated:");
    bind<&UINavigationController::popViewController>(c, "popViewControllerAnimated:");
    addMethod(
        c, sel("popToRootViewControllerAnimated:"), +[](Object* s, SEL, bool animated) -> Object* {
            auto& children = nav(s)->childViewControllers();
            if (children.size() < 2)
                return nullptr;
            std::vector<Ref<Object>> stack { children.front() };
            auto popped = NSArray::create(std::vector<Ref<Object>>(children.begin() + 1, children.end()));
            nav(s)->setViewControllers(NSArray::create(stack).get(), animated);
            return autorelease(std::move(popped));
        });
    bind<&UINavigationController::isNavigationBarHidden>(c, "isNavigationBarHidden");
    bind<&UINavigationController::setNavigationBarHidden>(c, "setNavigationBarHidden:animated:");
    addMethod(
        c, sel("_visibleChildrenForAppearance"), +[](Object* s, SEL) -> Object* {
            UIViewController* top = nav(s)->topViewController();
            return top ? autorelease(NSArray::create({ Ref<Object>(top) })) : nullptr;
        });
}

}

Class* UINavigationController::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UINavigationController>("UINavigationController", UIViewController::classObject());
        registerUINavigationControllerMethods(c);
        registerStackMethods(c);
        containerClass();
        return c;
    }();
    return cls;
}

rt::Ref<UINavigationController> UINavigationController::create(Object* root)
{
    Object* made = classObject()->allocate();
    made = rt::send<Object*>(made, SELECTOR("initWithRootViewController:"), root);
    return rt::adopt(static_cast<UINavigationController*>(made));
}

UINavigationBar* UINavigationController::navigationBar()
{
    if (!m_navigationBar)
        m_navigationBar = rt::Ref<UINavigationBar>(
            static_cast<UINavigationBar*>(UIView::create(UINavigationBar::classObject()).get()));
    return m_navigationBar.get();
}

UIViewController* UINavigationController::topViewController() const
{
    auto& children = childViewControllers();
    return children.empty() ? nullptr : children.back().get();
}

// The bar hides and shows at once; the page takes the room it leaves.
void UINavigationController::setNavigationBarHidden(bool hidden, bool)
{
    m_navigationBarHidden = hidden;
    navigationBar()->setHidden(hidden);
    if (isViewLoaded())
        view()->setNeedsLayout();
}

void UINavigationController::syncBarItems()
{
    std::vector<rt::Ref<UINavigationItem>> items;
    for (auto& child : childViewControllers())
        items.emplace_back(child->navigationItem());
    navigationBar()->setItems(std::move(items));
}

void UINavigationController::showTop(UIViewController* leaving, bool animated)
{
    rt::Ref<UIViewController> keepLeaving(leaving);
    rt::Ref<UIViewController> coming(topViewController());
    syncBarItems();
    if (!isViewLoaded() || coming.get() == leaving)
        return;
    // The coming page loads before anyone hears of the change, as in UIKit.
    if (coming)
        coming->view();
    bool onScreen = isVisible();
    if (leaving && onScreen)
        leaving->sendAppearance(Appearance::WillDisappear, animated);
    if (coming && onScreen)
        coming->sendAppearance(Appearance::WillAppear, animated);
    if (coming) {
        UIView* page = coming->view();
        rt::send(page, SELECTOR("setFrame:"), view()->bounds());
        page->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        view()->insertSubview(page, 0);
    }
    if (leaving && leaving->isViewLoaded() && leaving->view()->superview() == view())
        leaving->view()->removeFromSuperview();
    if (UIWindow* window = view()->window())
        window->layoutAndDisplay();
    if (coming && onScreen)
        coming->sendAppearance(Appearance::DidAppear, animated);
    if (leaving && onScreen)
        leaving->sendAppearance(Appearance::DidDisappear, animated);
}

void UINavigationController::pushViewController(Object* object, bool animated)
{
    auto* controller = rt::dynamicCast<UIViewController>(object, UIViewController::classObject());
    // A controller already on a stack, or a navigation controller inside itself, is refused as
    // UIKit refuses it.
    if (!controller || controller == this || controller->parentViewController())
        return;
    rt::Ref<UIViewController> leaving(topViewController());
    addChildViewController(controller);
    showTop(leaving.get(), animated);
    rt::send(controller, SELECTOR("didMoveToParentViewController:"), static_cast<Object*>(this));
}

Object* UINavigationController::popViewController(bool animated)
{
    if (childViewControllers().size() < 2)
        return nullptr;
    rt::Ref<UIViewController> leaving(topViewController());
    rt::send(leaving.get(), SELECTOR("willMoveToParentViewController:"), static_cast<Object*>(nullptr));
    leaving->removeFromParentViewController();
    showTop(leaving.get(), animated);
    return rt::autorelease(std::move(leaving));
}

void UINavigationController::setViewControllers(Object* array, bool animated)
{
    if (!isArray(array))
        return;
    rt::Ref<UIViewController> leaving(topViewController());
    auto children = childViewControllers();
    for (auto& child : children)
        child->removeFromParentViewController();
    for (auto& item : static_cast<NSArray*>(array)->items())
        if (auto* controller = rt::dynamicCast<UIViewController>(item.get(), UIViewController::classObject()))
            if (!controller->parentViewController() && controller != this)
                addChildViewController(controller);
    showTop(leaving.get(), animated);
}

void UINavigationController::layoutContainer()
{
    CGRect b = view()->bounds();
    UINavigationBar* bar = navigationBar();
    UIViewController* top = topViewController();
    if (top && top->isViewLoaded()) {
        UIScrollView* scroll = firstScrollView(top->view());
        bool atEdge = !scroll || scroll->contentOffset().y <= -scroll->adjustedContentInset().top + 0.5;
        bar->setAtScrollEdge(atEdge);
    }
    CGRect barFrame = CGRectMake(0, statusBarHeight(), b.width(), bar->preferredHeight());
    if (bar->frame() != barFrame) {
        rt::send(bar, SELECTOR("setFrame:"), barFrame);
        // The page's safe area moved: its scroll view lays out again to follow it.
        if (top && top->isViewLoaded())
            if (UIScrollView* scroll = firstScrollView(top->view()))
                scroll->setNeedsLayout();
    }
    if (bar->superview() == view())
        view()->insertSubview(bar, static_cast<long>(view()->subviews().size()));
    if (top && top->isViewLoaded() && top->view()->superview() == view()) {
        if (top->view()->frame() != b)
            rt::send(top->view(), SELECTOR("setFrame:"), b);
    }
}

double UINavigationController::visibleBarBottom() const
{
    if (m_navigationBarHidden || !m_navigationBar)
        return statusBarHeight();
    return m_navigationBar->convertRectToView(m_navigationBar->bounds(), nullptr).maxY();
}
