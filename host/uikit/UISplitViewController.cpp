#include "host/uikit/UISplitViewController.h"

#include <algorithm>
#include <cmath>

#include "host/foundation/Array.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UINavigationController.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UIView.h"
#include "host/uikit/UIWindow.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

// The primary column's width when none is preferred: what iPad Settings gives its list on an
// iPad of 820 points across, whichever way the iPad is held.
constexpr double kDefaultPrimaryColumnWidth = 320;
// UISplitViewControllerAutomaticDimension.
constexpr double kAutomaticDimension = -1;
// UISplitViewControllerDisplayModeOneBesideSecondary: both columns, side by side.
constexpr long kDisplayModeOneBesideSecondary = 2;

UISplitViewController* split(Object* o)
{
    return static_cast<UISplitViewController*>(o);
}

// The controller's view: it places the columns whenever it lays out.
class PanelView final : public UIView { };

Class* panelClass()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<PanelView>("_UISplitViewControllerPanelImplView", UIView::classObject());
        rt::addMethod(
            c, rt::sel("layoutSubviews"), +[](Object* s, SEL) {
                rt::sendSuper(s, rt::getClass("_UISplitViewControllerPanelImplView"), SELECTOR("layoutSubviews"));
                auto* controller = rt::dynamicCast<UISplitViewController>(
                    static_cast<UIView*>(s)->viewController(), UISplitViewController::classObject());
                if (controller)
                    controller->layoutColumns();
            });
        return c;
    }();
    return cls;
}

void registerColumnMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("viewControllers"), +[](Object* s, SEL) -> Object* {
            auto& children = split(s)->childViewControllers();
            return autorelease(NSArray::create(std::vector<Ref<Object>>(children.begin(), children.end())));
        });
    addMethod(
        c, sel("setViewControllers:"), +[](Object* s, SEL, Object* array) { split(s)->setColumns(array); });
    addMethod(
        c, sel("showDetailViewController:sender:"),
        +[](Object* s, SEL, Object* controller, Object*) { split(s)->showDetail(controller); });
    bind<&UISplitViewController::preferredPrimaryColumnWidth>(c, "preferredPrimaryColumnWidth");
    bind<&UISplitViewController::setPreferredPrimaryColumnWidth>(c, "setPreferredPrimaryColumnWidth:");
    addMethod(
        c, sel("primaryColumnWidth"), +[](Object* s, SEL) { return split(s)->primaryColumnWidth(); });
    addMethod(
        c, sel("isCollapsed"), +[](Object*, SEL) { return false; });
    addMethod(
        c, sel("displayMode"), +[](Object*, SEL) { return kDisplayModeOneBesideSecondary; });
}

void registerUISplitViewControllerViewMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("loadView"), +[](Object* s, SEL) {
            auto view = UIView::create(panelClass(), UIScreen::mainScreen()->bounds());
            split(s)->setView(view.get());
            split(s)->layoutColumns();
        });
    // Both columns show, so both hear of the split view's appearance.
    addMethod(
        c, sel("_visibleChildrenForAppearance"), +[](Object* s, SEL) -> Object* {
            return rt::send<Object*>(s, SELECTOR("viewControllers"));
        });
}

}

Class* UISplitViewController::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UISplitViewController>("UISplitViewController", UIViewController::classObject());
        registerColumnMethods(c);
        registerUISplitViewControllerViewMethods(c);
        panelClass();
        return c;
    }();
    return cls;
}

UIViewController* UISplitViewController::primary() const
{
    auto& children = childViewControllers();
    return children.empty() ? nullptr : children[0].get();
}

UIViewController* UISplitViewController::secondary() const
{
    auto& children = childViewControllers();
    return children.size() < 2 ? nullptr : children[1].get();
}

void UISplitViewController::setPreferredPrimaryColumnWidth(double width)
{
    m_preferredPrimaryColumnWidth = width;
    if (isViewLoaded())
        view()->setNeedsLayout();
}

double UISplitViewController::primaryColumnWidth() const
{
    double preferred
        = m_preferredPrimaryColumnWidth == kAutomaticDimension ? kDefaultPrimaryColumnWidth : m_preferredPrimaryColumnWidth;
    double width = isViewLoaded() ? const_cast<UISplitViewController*>(this)->view()->bounds().width()
                                  : UIScreen::mainScreen()->bounds().width();
    return std::clamp(preferred, 0.0, std::floor(width / 2));
}

void UISplitViewController::placeColumn(UIViewController* column, CGRect frame)
{
    if (!column)
        return;
    UIView* columnView = column->view();
    if (columnView->superview() != view()) {
        columnView->setAutoresizingMask(0);
        view()->addSubview(columnView);
    }
    if (columnView->frame() != frame)
        rt::send(columnView, SELECTOR("setFrame:"), frame);
}

void UISplitViewController::layoutColumns()
{
    CGRect b = view()->bounds();
    double primaryWidth = primaryColumnWidth();
    placeColumn(primary(), CGRectMake(0, 0, primaryWidth, b.height()));
    placeColumn(secondary(), CGRectMake(primaryWidth, 0, b.width() - primaryWidth, b.height()));
    // The hairline between the columns lies over the secondary column's leading edge, so each
    // column keeps a whole number of points.
    if (!m_separator) {
        m_separator = UIView::create(UIView::classObject());
        rt::send(m_separator.get(), SELECTOR("setBackgroundColor:"), UIColor::systemColor("opaqueSeparatorColor"));
    }
    double hairline = 1 / std::max(1.0, UIScreen::mainScreen()->scale());
    CGRect line = CGRectMake(primaryWidth, 0, hairline, b.height());
    if (m_separator->frame() != line)
        rt::send(m_separator.get(), SELECTOR("setFrame:"), line);
    if (m_separator->superview() != view() || view()->subviews().back().get() != m_separator.get())
        view()->addSubview(m_separator.get());
}

void UISplitViewController::setColumns(Object* array)
{
    if (!isArray(array))
        return;
    bool onScreen = isViewLoaded() && isVisible();
    auto old = childViewControllers();
    for (auto& child : old) {
        if (onScreen)
            child->sendAppearance(Appearance::WillDisappear, false);
        if (child->isViewLoaded() && isViewLoaded() && child->view()->superview() == view())
            child->view()->removeFromSuperview();
        child->removeFromParentViewController();
        if (onScreen)
            child->sendAppearance(Appearance::DidDisappear, false);
    }
    auto& items = static_cast<NSArray*>(array)->items();
    for (size_t i = 0; i < std::min<size_t>(items.size(), 2); ++i)
        if (auto* controller = rt::dynamicCast<UIViewController>(items[i].get(), UIViewController::classObject()))
            if (!controller->parentViewController() && controller != this)
                addChildViewController(controller);
    if (!isViewLoaded())
        return;
    for (auto& child : childViewControllers())
        if (onScreen)
            child->sendAppearance(Appearance::WillAppear, false);
    layoutColumns();
    if (UIWindow* window = view()->window())
        window->layoutAndDisplay();
    for (auto& child : childViewControllers())
        if (onScreen)
            child->sendAppearance(Appearance::DidAppear, false);
}

void UISplitViewController::showDetail(Object* object)
{
    auto* controller = rt::dynamicCast<UIViewController>(object, UIViewController::classObject());
    if (!controller || controller == this || controller->parentViewController())
        return;
    if (auto* navigation = rt::dynamicCast<UINavigationController>(secondary(), UINavigationController::classObject());
        navigation && !rt::isKindOf(controller, UINavigationController::classObject())) {
        navigation->setViewControllers(NSArray::create({ rt::Ref<Object>(controller) }).get(), false);
        return;
    }
    std::vector<rt::Ref<Object>> columns;
    if (UIViewController* first = primary())
        columns.emplace_back(first);
    columns.emplace_back(controller);
    setColumns(NSArray::create(columns).get());
}
