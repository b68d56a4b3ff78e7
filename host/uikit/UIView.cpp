#include "host/uikit/UIView.h"

#include <algorithm>
#include <cmath>

#include "host/uikit/CALayer.h"
#include "host/uikit/NSLayoutConstraint.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIGestureRecognizer.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UITraitCollection.h"
#include "host/uikit/UIViewController.h"
#include "host/uikit/UIWindow.h"

UIView::UIView()
    : m_layer(CALayer::create(this))
{
}

UIView::~UIView()
{
    // Children keep living if someone else holds them; they must not point back at us.
    for (auto& child : m_subviews) {
        child->m_superview = nullptr;
        if (child->m_window != static_cast<const void*>(child.get()))
            child->m_window = nullptr;
    }
    if (m_layer)
        m_layer->detachFromView();
    for (auto& recognizer : m_gestureRecognizers)
        static_cast<UIGestureRecognizer*>(recognizer.get())->setView(nullptr);
    auto owned = std::move(m_ownedConstraints);
    for (auto& c : owned)
        c->detachFromDyingView(this);
    auto secondary = std::move(m_secondaryConstraints);
    for (auto* c : secondary)
        c->detachFromDyingView(this);
}

rt::Ref<UIView> UIView::create(rt::Class* cls, CGRect frame)
{
    if (!cls)
        return nullptr;
    rt::Object* obj = cls->allocate();
    rt::Object* initialised = rt::send<rt::Object*>(obj, SELECTOR("initWithFrame:"), frame);
    if (initialised != obj) {
        obj->release();
        return rt::Ref<UIView>(static_cast<UIView*>(initialised));
    }
    return rt::adopt(static_cast<UIView*>(obj));
}

CGRect UIView::frame() const
{
    return { { m_center.x - m_bounds.size.width / 2, m_center.y - m_bounds.size.height / 2 }, m_bounds.size };
}

void UIView::setFrame(CGRect frame)
{
    if (!std::isfinite(frame.origin.x + frame.origin.y + frame.size.width + frame.size.height))
        return;
    CGSize old = m_bounds.size;
    m_bounds.size = frame.size;
    if (old != frame.size)
        boundsSizeDidChange(old);
    // Positioning goes through setCenter:, so a replacement of it sees every move.
    rt::send(this, SELECTOR("setCenter:"), CGPoint { frame.midX(), frame.midY() });
}

void UIView::setBounds(CGRect bounds)
{
    if (!std::isfinite(bounds.origin.x + bounds.origin.y + bounds.size.width + bounds.size.height))
        return;
    CGSize old = m_bounds.size;
    m_bounds = bounds;
    if (old != bounds.size)
        boundsSizeDidChange(old);
}

void UIView::setCenter(CGPoint center)
{
    if (!std::isfinite(center.x + center.y))
        return;
    m_center = center;
    frameChangedOutsideConstraints();
}

void UIView::boundsSizeDidChange(CGSize oldSize)
{
    setNeedsLayout();
    if (m_autoresizesSubviews)
        resizeSubviews(oldSize);
}

void UIView::setAlpha(double alpha)
{
    m_alpha = std::isfinite(alpha) ? std::clamp(alpha, 0.0, 1.0) : 1.0;
}

void UIView::setBackgroundColor(rt::Object* color)
{
    m_backgroundColor = isColor(color) ? static_cast<UIColor*>(color) : nullptr;
}

void UIView::forgetGestureRecognizer(rt::Object* recognizer)
{
    std::erase(m_gestureRecognizers, rt::Ref<rt::Object>(recognizer));
}

UIColor* UIView::tintColor() const
{
    for (const UIView* v = this; v; v = v->m_superview)
        if (v->m_tintColor)
            return v->m_tintColor.get();
    return UIColor::systemColor("systemBlueColor");
}

void UIView::setTintColor(rt::Object* color)
{
    m_tintColor = isColor(color) ? static_cast<UIColor*>(color) : nullptr;
}

UIView* UIView::viewWithTag(long tag) const
{
    if (m_tag == tag)
        return const_cast<UIView*>(this);
    for (auto& child : m_subviews)
        if (UIView* found = child->viewWithTag(tag))
            return found;
    return nullptr;
}

bool UIView::clipsToBounds() const
{
    return m_layer->masksToBounds();
}

void UIView::setClipsToBounds(bool clips)
{
    m_layer->setMasksToBounds(clips);
}

CGRect UIView::convertRectToView(CGRect rect, const UIView* other) const
{
    CGPoint origin = convertPointToView(rect.origin, other);
    return { origin, rect.size };
}

CGPoint UIView::convertPointToView(CGPoint point, const UIView* other) const
{
    // Up to the root in this view's tree, then down into the other view's.
    for (const UIView* v = this; v->m_superview; v = v->m_superview) {
        CGRect f = v->frame();
        point.x += f.origin.x - v->m_bounds.origin.x;
        point.y += f.origin.y - v->m_bounds.origin.y;
    }
    for (const UIView* v = other; v && v->m_superview; v = v->m_superview) {
        CGRect f = v->frame();
        point.x -= f.origin.x - v->m_bounds.origin.x;
        point.y -= f.origin.y - v->m_bounds.origin.y;
    }
    return point;
}

UIViewController* UIView::viewControllerForAncestor() const
{
    for (const UIView* v = this; v; v = v->m_superview)
        if (v->m_viewController)
            return v->m_viewController;
    return nullptr;
}

UIResponder* UIView::nextResponder() const
{
    if (m_viewController)
        return m_viewController;
    return m_superview;
}

void UIView::setOverrideUserInterfaceStyle(long style)
{
    if (style < 0 || style > 2)
        style = 0;
    if (style == m_overrideStyle)
        return;
    m_overrideStyle = style;
    if (m_window)
        propagateTraitChanges();
}

long UIView::effectiveUserInterfaceStyle() const
{
    const UIView* v = this;
    for (; v; v = v->m_superview) {
        if (v->m_overrideStyle)
            return v->m_overrideStyle;
        if (v->m_viewController && v->m_viewController->overrideUserInterfaceStyle())
            return v->m_viewController->overrideUserInterfaceStyle();
        if (!v->m_superview && v->m_window == v)
            return UIScreen::mainScreen()->userInterfaceStyle();
    }
    long current = UITraitCollection::current()->userInterfaceStyle();
    return current ? current : UIScreen::mainScreen()->userInterfaceStyle();
}

UITraitCollection* UIView::traitCollection() const
{
    return UITraitCollection::forStyle(effectiveUserInterfaceStyle());
}

void UIView::drawContent(Canvas&, long) const { }

bool isView(rt::Object* o)
{
    return rt::isKindOf(o, UIView::classObject());
}
