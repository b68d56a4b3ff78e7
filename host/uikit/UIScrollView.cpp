#include "host/uikit/UIScrollView.h"

#include <algorithm>
#include <cmath>

#include "host/runtime/Bind.h"
#include "host/uikit/CALayer.h"
#include "host/uikit/StatusBar.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UINavigationController.h"
#include "host/uikit/UIViewController.h"
#include "host/uikit/UIWindow.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UIScrollView* scroll(Object* o)
{
    return static_cast<UIScrollView*>(o);
}

rt::Ref<UIView> makeIndicator()
{
    auto indicator = UIView::create(UIScrollView::scrollIndicatorClass(), CGRectMake(0, 0, 3, 36));
    indicator->setAlpha(0);
    auto bar = UIView::create(UIView::classObject(), CGRectMake(0, 0, 3, 36));
    bar->setBackgroundColor(UIColor::systemColor("systemGrayColor"));
    bar->layer()->setCornerRadius(1.5);
    indicator->addSubview(bar.get());
    return indicator;
}

}

Class* UIScrollView::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIScrollView>("UIScrollView", UIView::classObject());
        registerMethods(c);
        return c;
    }();
    return cls;
}

Class* UIScrollView::scrollIndicatorClass()
{
    static Class* cls = rt::defineCppClass<UIView>("_UIScrollViewScrollIndicator", UIView::classObject());
    return cls;
}

void UIScrollView::registerMethods(Class* c)
{
    using namespace rt;
    bind<&UIScrollView::contentOffset>(c, "contentOffset");
    bind<&UIScrollView::setContentOffset>(c, "setContentOffset:");
    addMethod(
        c, sel("setContentOffset:animated:"),
        +[](Object* s, SEL, CGPoint p, bool) { send(s, SELECTOR("setContentOffset:"), p); });
    bind<&UIScrollView::contentSize>(c, "contentSize");
    bind<&UIScrollView::setContentSize>(c, "setContentSize:");
    // The inset moves the content, so a changed one lays the view out again.
    bindPropertyThen<&UIScrollView::m_contentInset, &UIScrollView::setNeedsLayout>(c, "contentInset");
    bind<&UIScrollView::adjustedContentInset>(c, "adjustedContentInset");
    bindProperty<&UIScrollView::m_contentInsetAdjustmentBehavior>(c, "contentInsetAdjustmentBehavior");
    bindProperty<&UIScrollView::m_delegate>(c, "delegate");
    bindProperty<&UIScrollView::m_scrollEnabled>(c, { "scrollEnabled", "isScrollEnabled" });
    bindProperty<&UIScrollView::m_showsVerticalIndicator>(c, "showsVerticalScrollIndicator");
    addMethod(
        c, sel("setShowsHorizontalScrollIndicator:"), +[](Object*, SEL, bool) {});
    addMethod(
        c, sel("setAlwaysBounceVertical:"), +[](Object*, SEL, bool) {});
    addMethod(
        c, sel("_scrollToTopIfPossible:"), +[](Object* s, SEL, bool) {
            double top = scroll(s)->adjustedContentInset().top;
            send(s, SELECTOR("setContentOffset:"), CGPoint { scroll(s)->contentOffset().x, -top });
            return true;
        });
    addMethod(
        c, sel("verticalScrollIndicatorInsets"), +[](Object*, SEL) { return UIEdgeInsets {}; });
    addMethod(
        c, sel("layoutSubviews"), +[](Object* s, SEL) {
            sendSuper(s, UIScrollView::classObject(), SELECTOR("layoutSubviews"));
            send(s, SELECTOR("_layoutScrollView"));
        });
    addMethod(
        c, sel("_layoutScrollView"), +[](Object* s, SEL) { scroll(s)->raiseScrollIndicators(); });
}

UIScrollView::UIScrollView()
{
    setClipsToBounds(true);
}

void UIScrollView::setContentOffset(CGPoint offset)
{
    if (!std::isfinite(offset.x + offset.y))
        return;
    CGRect b = bounds();
    if (b.origin == offset)
        return;
    b.origin = offset;
    setBounds(b);
    m_offsetSettled = true;
    setNeedsLayout();
    // The navigation bar changes its look when the page leaves or reaches its top.
    if (UIViewController* controller = viewControllerForAncestor())
        if (UINavigationController* nav = controller->navigationController(); nav && nav->isViewLoaded())
            nav->view()->setNeedsLayout();
    if (auto delegate = m_delegate.load()) {
        static const rt::CallSite didScroll { "scrollViewDidScroll:" };
        if (rt::respondsTo(delegate.get(), didScroll.sel()))
            rt::send(delegate.get(), didScroll, static_cast<Object*>(this));
    }
}

void UIScrollView::setContentSize(CGSize size)
{
    m_contentSize = size;
}

double UIScrollView::safeAreaTop() const
{
    if (!window())
        return 0;
    double top = convertPointToView(contentOffset(), nullptr).y;
    double covered = statusBarHeight();
    if (UIViewController* controller = viewControllerForAncestor())
        if (UINavigationController* nav = controller->navigationController())
            covered = std::max(covered, nav->visibleBarBottom());
    return std::max(0.0, covered - top);
}

double UIScrollView::safeAreaBottom() const
{
    if (!window())
        return 0;
    double bottom = convertPointToView({ 0, contentOffset().y + bounds().height() }, nullptr).y;
    double limit = window()->bounds().height() - homeIndicatorHeight();
    return std::max(0.0, bottom - limit);
}

UIEdgeInsets UIScrollView::adjustedContentInset() const
{
    UIEdgeInsets inset = m_contentInset;
    // Behaviours 2 (never) keep the insets as set; automatic and the others add the safe area.
    if (m_contentInsetAdjustmentBehavior != 2) {
        inset.top += safeAreaTop();
        inset.bottom += safeAreaBottom();
    }
    return inset;
}

void UIScrollView::raiseScrollIndicators()
{
    if (!m_verticalIndicator) {
        m_verticalIndicator = makeIndicator();
        m_horizontalIndicator = makeIndicator();
        addSubview(m_verticalIndicator.get());
        addSubview(m_horizontalIndicator.get());
    }
    double top = adjustedContentInset().top;
    if (!m_offsetSettled && window()) {
        m_offsetSettled = true;
        rt::send(this, SELECTOR("setContentOffset:"), CGPoint { contentOffset().x, -top });
    } else if (window() && top != m_lastAdjustedTop && contentOffset().y == -m_lastAdjustedTop) {
        // Resting at the top, the content stays at the top when the bars above it grow or shrink.
        rt::send(this, SELECTOR("setContentOffset:"), CGPoint { contentOffset().x, -top });
    }
    m_lastAdjustedTop = top;
    CGRect b = bounds();
    UIEdgeInsets inset = adjustedContentInset();
    for (auto* indicator : { m_verticalIndicator.get(), m_horizontalIndicator.get() })
        if (indicator->superview() == this)
            insertSubview(indicator, static_cast<long>(subviews().size()));
    if (m_verticalIndicator->superview() == this)
        rt::send(m_verticalIndicator.get(), SELECTOR("setFrame:"),
            CGRectMake(b.maxX() - 6, b.minY() + inset.top + 3, 3, 36));
    if (m_horizontalIndicator->superview() == this)
        rt::send(m_horizontalIndicator.get(), SELECTOR("setFrame:"),
            CGRectMake(b.minX() + 3, b.maxY() - inset.bottom - 6, 36, 3));
}
