#include "host/uikit/UIViewController.h"

#include <algorithm>

#include "host/foundation/Array.h"
#include "host/foundation/String.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UINavigationController.h"
#include "host/uikit/UINavigationItem.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UITraitCollection.h"
#include "host/uikit/UIView.h"
#include "host/uikit/UIWindow.h"

using rt::Class;
using rt::Object;
using rt::SEL;

UIViewController::~UIViewController()
{
    if (m_view && m_view->viewController() == this)
        m_view->setViewController(nullptr);
    for (auto& child : m_children)
        child->m_parent = nullptr;
    if (m_presented)
        m_presented->m_presenting = nullptr;
}

rt::Ref<UIViewController> UIViewController::create(Class* cls)
{
    if (!cls)
        return nullptr;
    auto obj = rt::newObject(cls);
    return rt::Ref<UIViewController>(rt::dynamicCast<UIViewController>(obj.get(), classObject()));
}

UIView* UIViewController::view()
{
    loadViewIfNeeded();
    return m_view.get();
}

void UIViewController::loadViewIfNeeded()
{
    if (m_view || m_loading)
        return;
    rt::Ref<UIViewController> keep(this);
    m_loading = true;
    rt::send(this, SELECTOR("loadView"));
    if (!m_view)
        setView(UIView::create(UIView::classObject(), UIScreen::mainScreen()->bounds()).get());
    m_loading = false;
    rt::send(this, SELECTOR("viewDidLoad"));
}

void UIViewController::setView(Object* object)
{
    auto* v = isView(object) ? static_cast<UIView*>(object) : nullptr;
    if (m_view && m_view->viewController() == this)
        m_view->setViewController(nullptr);
    m_view = v;
    if (v)
        v->setViewController(this);
}

UINavigationItem* UIViewController::navigationItem()
{
    if (!m_navigationItem) {
        m_navigationItem = UINavigationItem::create();
        m_navigationItem->setInitialTitle(m_title.get());
    }
    return m_navigationItem.get();
}

void UIViewController::setTitle(Object* title)
{
    m_title = isString(title) ? title : nullptr;
    rt::send(navigationItem(), SELECTOR("setTitle:"), m_title.get());
}

UINavigationController* UIViewController::navigationController() const
{
    for (UIViewController* c = m_parent; c; c = c->m_parent)
        if (rt::isKindOf(c, UINavigationController::classObject()))
            return static_cast<UINavigationController*>(c);
    return nullptr;
}

void UIViewController::addChildViewController(Object* object)
{
    auto* child = rt::dynamicCast<UIViewController>(object, classObject());
    if (!child || child == this || child->m_parent == this)
        return;
    rt::Ref<UIViewController> keep(child);
    rt::send(child, SELECTOR("willMoveToParentViewController:"), static_cast<Object*>(this));
    if (child->m_parent)
        child->removeFromParentViewController();
    m_children.emplace_back(child);
    child->m_parent = this;
}

void UIViewController::removeFromParentViewController()
{
    UIViewController* parent = m_parent;
    if (!parent)
        return;
    rt::Ref<UIViewController> keep(this);
    std::erase_if(parent->m_children, [this](auto& c) { return c.get() == this; });
    m_parent = nullptr;
    rt::send(this, SELECTOR("didMoveToParentViewController:"), static_cast<Object*>(nullptr));
}

void UIViewController::presentViewController(Object* object, bool animated, Object* completion)
{
    auto* presented = rt::dynamicCast<UIViewController>(object, classObject());
    UIWindow* window = m_view ? m_view->window() : nullptr;
    // A controller presents one at a time, and only from a window, as UIKit insists.
    if (!presented || m_presented || presented->m_presenting || !window)
        return;
    rt::Ref<UIViewController> keep(presented);
    m_presented = presented;
    presented->m_presenting = this;
    UIView* v = presented->view();
    presented->sendAppearance(Appearance::WillAppear, animated);
    rt::send(v, SELECTOR("setFrame:"), window->bounds());
    v->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    window->addSubview(v);
    window->layoutAndDisplay();
    presented->sendAppearance(Appearance::DidAppear, animated);
    rt::callBlock<void()>(completion);
}

void UIViewController::dismissViewController(bool animated, Object* completion)
{
    if (!m_presented && m_presenting)
        return m_presenting->dismissViewController(animated, completion);
    rt::Ref<UIViewController> presented = std::move(m_presented);
    if (!presented) {
        rt::callBlock<void()>(completion);
        return;
    }
    presented->m_presenting = nullptr;
    presented->sendAppearance(Appearance::WillDisappear, animated);
    if (presented->m_view)
        presented->m_view->removeFromSuperview();
    presented->sendAppearance(Appearance::DidDisappear, animated);
    rt::callBlock<void()>(completion);
}

void UIViewController::sendAppearance(Appearance phase, bool animated)
{
    if (phase == m_appearance)
        return;
    bool appearing = phase == Appearance::WillAppear || phase == Appearance::DidAppear;
    if (appearing == isVisible() && (phase == Appearance::WillAppear || phase == Appearance::WillDisappear))
        return;
    rt::Ref<UIViewController> keep(this);
    m_appearance = phase;
    static const rt::CallSite* sites[] = { &SELECTOR("viewWillAppear:"), &SELECTOR("viewDidAppear:"),
        &SELECTOR("viewWillDisappear:"), &SELECTOR("viewDidDisappear:") };
    if (appearing)
        view();
    rt::send(this, *sites[static_cast<int>(phase)], animated);
    // Containers pass appearance on to the children that show.
    rt::Object* children = rt::send<rt::Object*>(this, SELECTOR("_visibleChildrenForAppearance"));
    if (isArray(children))
        for (auto child : static_cast<NSArray*>(children)->items())
            if (auto* controller = rt::dynamicCast<UIViewController>(child.get(), classObject()))
                controller->sendAppearance(phase, animated);
}

long UIViewController::effectiveUserInterfaceStyle() const
{
    if (m_overrideStyle)
        return m_overrideStyle;
    if (m_view)
        return m_view->effectiveUserInterfaceStyle();
    if (m_parent)
        return m_parent->effectiveUserInterfaceStyle();
    long current = UITraitCollection::current()->userInterfaceStyle();
    return current ? current : UIScreen::mainScreen()->userInterfaceStyle();
}

// A style other than unspecified, light or dark is unspecified.
void UIViewController::setOverrideUserInterfaceStyle(long style)
{
    m_overrideStyle = style >= 0 && style <= 2 ? style : 0;
    if (isViewLoaded())
        view()->propagateTraitChanges();
}

void UIViewController::traitStyleMayHaveChanged(long style, Object* previous)
{
    long reported = m_reportedStyle;
    m_reportedStyle = style;
    if (reported == style)
        return;
    rt::send(this, SELECTOR("traitCollectionDidChange:"), reported ? UITraitCollection::forStyle(reported) : previous);
}

UIResponder* UIViewController::nextResponder() const
{
    if (m_view && m_view->superview())
        return m_view->superview();
    return m_parent;
}

bool isViewController(Object* o)
{
    return rt::isKindOf(o, UIViewController::classObject());
}
