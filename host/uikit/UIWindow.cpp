#include "host/uikit/UIWindow.h"

#include <algorithm>

#include "host/foundation/RunLoop.h"
#include "host/runtime/Bind.h"
#include "host/uikit/CALayer.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UIViewController.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

std::vector<UIWindow*>& windows()
{
    static std::vector<UIWindow*> list;
    return list;
}

UIWindow* g_keyWindow = nullptr;

UIWindow* window(Object* o)
{
    return static_cast<UIWindow*>(o);
}

void displaySubtree(UIView* view)
{
    view->layer()->displayIfNeeded();
    auto children = view->subviews();
    for (auto& child : children)
        displaySubtree(child.get());
}

void registerUIWindowMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("rootViewController"), +[](Object* s, SEL) -> Object* { return window(s)->rootViewController(); });
    bind<&UIWindow::setRootViewController>(c, "setRootViewController:");
    bind<&UIWindow::makeKeyAndVisible>(c, "makeKeyAndVisible");
    addMethod(
        c, sel("makeKeyWindow"), +[](Object* s, SEL) { g_keyWindow = window(s); });
    addMethod(
        c, sel("isKeyWindow"), +[](Object* s, SEL) { return g_keyWindow == s; });
    addMethod(
        c, sel("screen"), +[](Object*, SEL) -> Object* { return UIScreen::mainScreen(); });
    addClassMethod(
        c, sel("keyWindow"), +[](Class*, SEL) -> Object* { return UIWindow::keyWindow(); });
}

}

Class* UIWindow::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIWindow>("UIWindow", UIView::classObject());
        registerUIWindowMethods(c);
        return c;
    }();
    return cls;
}

rt::Ref<UIWindow> UIWindow::create(CGRect frame)
{
    return rt::Ref<UIWindow>(static_cast<UIWindow*>(UIView::create(classObject(), frame).get()));
}

const std::vector<UIWindow*>& UIWindow::allWindows()
{
    return windows();
}

UIWindow* UIWindow::keyWindow()
{
    return g_keyWindow;
}

UIWindow::UIWindow()
{
    m_window = this;
    windows().push_back(this);
}

UIWindow::~UIWindow()
{
    std::erase(windows(), this);
    if (g_keyWindow == this)
        g_keyWindow = nullptr;
    // The root controller's view is ours to let go; it no longer has a window.
    for (auto& child : subviews())
        child->m_window = nullptr;
}

void UIWindow::setRootViewController(Object* object)
{
    auto* controller = rt::dynamicCast<UIViewController>(object, UIViewController::classObject());
    if (controller == m_rootViewController.get())
        return;
    rt::Ref<UIViewController> old = m_rootViewController;
    if (old && m_visible)
        old->sendAppearance(UIViewController::Appearance::WillDisappear, false);
    if (old && old->isViewLoaded())
        old->view()->removeFromSuperview();
    if (old && m_visible)
        old->sendAppearance(UIViewController::Appearance::DidDisappear, false);
    m_rootViewController = controller;
    if (!controller)
        return;
    UIView* root = controller->view();
    if (!root)
        return;
    if (m_visible)
        controller->sendAppearance(UIViewController::Appearance::WillAppear, false);
    rt::send(root, SELECTOR("setFrame:"), bounds());
    root->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    addSubview(root);
    if (m_visible) {
        layoutAndDisplay();
        controller->sendAppearance(UIViewController::Appearance::DidAppear, false);
    }
}

void UIWindow::makeKeyAndVisible()
{
    g_keyWindow = this;
    if (m_visible)
        return;
    m_visible = true;
    setHidden(false);
    rt::Ref<UIViewController> controller = m_rootViewController;
    if (controller)
        controller->sendAppearance(UIViewController::Appearance::WillAppear, false);
    layoutAndDisplay();
    if (controller)
        controller->sendAppearance(UIViewController::Appearance::DidAppear, false);
}

void UIWindow::layoutAndDisplay()
{
    rt::Ref<UIWindow> keep(this);
    rt::AutoreleasePool pool;
    // Layout may ask for more layout (a constrained view moved by its superview's host code);
    // a few rounds settle it, as a device's layout loop does.
    for (int round = 0; round < 4; ++round) {
        layoutSubtree();
        bool dirty = false;
        std::vector<UIView*> stack { this };
        while (!stack.empty() && !dirty) {
            UIView* v = stack.back();
            stack.pop_back();
            dirty = v->needsLayout();
            for (auto& child : v->subviews())
                stack.push_back(child.get());
        }
        if (!dirty)
            break;
    }
    displaySubtree(this);
    m_layoutScheduled = false;
}

void UIWindow::scheduleLayout()
{
    if (m_layoutScheduled)
        return;
    m_layoutScheduled = true;
    rt::Weak<UIWindow> weak(this);
    RunLoop::main().post([weak] {
        if (auto strong = weak.load(); strong && strong->m_layoutScheduled)
            strong->layoutAndDisplay();
    });
}
