#include <algorithm>

#include "host/uikit/NSLayoutConstraint.h"
#include "host/uikit/UITraitCollection.h"
#include "host/uikit/UIView.h"
#include "host/uikit/UIViewController.h"
#include "host/uikit/UIWindow.h"

// The view tree and the messages that announce its changes. Replacements installed on these
// messages may change the tree while it is being announced (a separator that removes itself in
// didMoveToWindow, for one), so every walk works on a snapshot and re-checks each view.

namespace {

void collectSubtree(UIView* root, std::vector<rt::Ref<UIView>>& out)
{
    out.emplace_back(root);
    for (auto& child : root->subviews())
        collectSubtree(child.get(), out);
}

std::vector<rt::Ref<UIView>> subtree(UIView* root)
{
    std::vector<rt::Ref<UIView>> views;
    collectSubtree(root, views);
    return views;
}

void sendWillMoveToWindow(UIView* root, UIWindow* window)
{
    for (auto& v : subtree(root))
        rt::send(v.get(), SELECTOR("willMoveToWindow:"), static_cast<rt::Object*>(window));
}

}

bool UIView::isDescendantOf(const UIView* ancestor) const
{
    for (const UIView* v = this; v; v = v->m_superview)
        if (v == ancestor)
            return true;
    return false;
}

void UIView::addSubview(UIView* view)
{
    insertSubview(view, static_cast<long>(m_subviews.size()));
}

void UIView::insertSubview(UIView* view, long index)
{
    // Adding a view to itself or to one of its descendants would make a cycle.
    if (!view || isDescendantOf(view))
        return;
    rt::Ref<UIView> keep(view);
    index = std::clamp(index, 0L, static_cast<long>(m_subviews.size()));
    if (view->m_superview == this) {
        // Reordering among siblings announces nothing.
        auto it = std::find(m_subviews.begin(), m_subviews.end(), keep);
        long from = it - m_subviews.begin();
        m_subviews.erase(it);
        m_subviews.insert(
            m_subviews.begin() + std::min<long>(from < index ? index - 1 : index, m_subviews.size()), keep);
        return;
    }
    UIWindow* newWindow = m_window;
    bool windowChanges = view->m_window != newWindow;
    rt::send(view, SELECTOR("willMoveToSuperview:"), static_cast<rt::Object*>(this));
    if (windowChanges)
        sendWillMoveToWindow(view, newWindow);
    if (UIView* old = view->m_superview) {
        rt::send(old, SELECTOR("willRemoveSubview:"), static_cast<rt::Object*>(view));
        if (view->m_superview == old) {
            auto it = std::find(old->m_subviews.begin(), old->m_subviews.end(), keep);
            if (it != old->m_subviews.end())
                old->m_subviews.erase(it);
            view->m_superview = nullptr;
            old->setNeedsLayout();
        }
    }
    index = std::clamp(index, 0L, static_cast<long>(m_subviews.size()));
    m_subviews.insert(m_subviews.begin() + index, keep);
    view->m_superview = this;
    if (windowChanges)
        view->moveToWindow(m_window);
    rt::send(view, SELECTOR("didMoveToSuperview"));
    rt::send(this, SELECTOR("didAddSubview:"), static_cast<rt::Object*>(view));
    setNeedsLayout();
    view->setNeedsLayout();
}

void UIView::removeFromSuperview()
{
    UIView* parent = m_superview;
    if (!parent)
        return;
    rt::Ref<UIView> keep(this);
    bool hadWindow = m_window;
    rt::send(this, SELECTOR("willMoveToSuperview:"), static_cast<rt::Object*>(nullptr));
    if (hadWindow)
        sendWillMoveToWindow(this, nullptr);
    rt::send(parent, SELECTOR("willRemoveSubview:"), static_cast<rt::Object*>(this));
    if (m_superview != parent)
        return;
    auto it = std::find(parent->m_subviews.begin(), parent->m_subviews.end(), keep);
    if (it != parent->m_subviews.end())
        parent->m_subviews.erase(it);
    m_superview = nullptr;
    parent->setNeedsLayout();
    dropExternalConstraints(this);
    if (hadWindow)
        moveToWindow(nullptr);
    rt::send(this, SELECTOR("didMoveToSuperview"));
}

void UIView::dropExternalConstraints(const UIView* subtreeRoot)
{
    // As on a device, constraints between a removed subtree and views outside it go away.
    auto owned = m_ownedConstraints;
    for (auto& c : owned) {
        UIView* other = c->secondView();
        if (other && !other->isDescendantOf(subtreeRoot))
            c->setActive(false);
    }
    auto secondary = m_secondaryConstraints;
    for (auto* c : secondary) {
        UIView* other = c->firstView();
        if (other && !other->isDescendantOf(subtreeRoot))
            c->setActive(false);
    }
    for (auto& child : std::vector<rt::Ref<UIView>>(m_subviews))
        child->dropExternalConstraints(subtreeRoot);
}

void UIView::moveToWindow(UIWindow* window)
{
    auto views = subtree(this);
    for (auto& v : views)
        v->m_window = window;
    if (window)
        propagateTraitChanges();
    for (auto& v : views)
        if (v->m_window == window)
            rt::send(v.get(), SELECTOR("didMoveToWindow"));
    if (window)
        window->scheduleLayout();
}

void UIView::propagateTraitChanges()
{
    for (auto& v : subtree(this)) {
        if (!v->m_window)
            continue;
        long style = v->effectiveUserInterfaceStyle();
        // A view that never reported compares with what it showed outside the window.
        long previous = v->m_reportedStyle ? v->m_reportedStyle : UITraitCollection::current()->userInterfaceStyle();
        v->m_reportedStyle = style;
        if (style == previous)
            continue;
        rt::Object* old = UITraitCollection::forStyle(previous);
        if (UIViewController* controller = v->m_viewController)
            controller->traitStyleMayHaveChanged(style, old);
        rt::send(v.get(), SELECTOR("traitCollectionDidChange:"), old);
    }
}
