#include <algorithm>
#include <cmath>
#include <optional>

#include "host/uikit/NSLayoutConstraint.h"
#include "host/uikit/UIView.h"
#include "host/uikit/UIViewController.h"
#include "host/uikit/UIWindow.h"

// Layout: the pass that sends layoutSubviews, autoresizing, and the constraint resolver.
//
// The resolver is deliberately simple: for each constrained subview it collects, per axis, the
// edge, centre and size that active constraints fix in the superview's coordinates, fills what is
// missing from the view's intrinsic size or its current frame, and sets the frame. Two rounds let
// siblings that refer to one another settle. Later constraints win over earlier ones that
// contradict them; inequalities only fill what no equality fixed.

namespace {

// Set while the resolver moves views, so those moves do not ask for another layout pass.
bool g_applyingConstraints = false;

struct Axis {
    std::optional<double> min, max, center, size;
};

struct Wanted {
    Axis x, y;
};

double attributeValue(const CGRect& r, long attribute)
{
    switch (attribute) {
    case NSLayoutAttributeLeft:
    case NSLayoutAttributeLeading:
        return r.minX();
    case NSLayoutAttributeRight:
    case NSLayoutAttributeTrailing:
        return r.maxX();
    case NSLayoutAttributeCenterX:
        return r.midX();
    case NSLayoutAttributeWidth:
        return r.width();
    case NSLayoutAttributeTop:
    case NSLayoutAttributeFirstBaseline:
        return r.minY();
    case NSLayoutAttributeBottom:
    case NSLayoutAttributeLastBaseline:
        return r.maxY();
    case NSLayoutAttributeCenterY:
        return r.midY();
    case NSLayoutAttributeHeight:
        return r.height();
    default:
        return 0;
    }
}

std::optional<double>* slotFor(Wanted& wanted, long attribute)
{
    switch (attribute) {
    case NSLayoutAttributeLeft:
    case NSLayoutAttributeLeading:
        return &wanted.x.min;
    case NSLayoutAttributeRight:
    case NSLayoutAttributeTrailing:
        return &wanted.x.max;
    case NSLayoutAttributeCenterX:
        return &wanted.x.center;
    case NSLayoutAttributeWidth:
        return &wanted.x.size;
    case NSLayoutAttributeTop:
    case NSLayoutAttributeFirstBaseline:
        return &wanted.y.min;
    case NSLayoutAttributeBottom:
    case NSLayoutAttributeLastBaseline:
        return &wanted.y.max;
    case NSLayoutAttributeCenterY:
        return &wanted.y.center;
    case NSLayoutAttributeHeight:
        return &wanted.y.size;
    default:
        return nullptr;
    }
}

bool isDimension(long attribute)
{
    return attribute == NSLayoutAttributeWidth || attribute == NSLayoutAttributeHeight;
}

// The rectangle of `other` in `container`'s coordinates.
CGRect rectIn(const UIView* other, const UIView* container)
{
    if (other == container)
        return container->bounds();
    return other->convertRectToView(other->bounds(), container);
}

void record(Wanted& wanted, long attribute, double value, bool equality)
{
    auto* slot = slotFor(wanted, attribute);
    if (slot && std::isfinite(value) && (equality || !*slot))
        *slot = value;
}

// Whether what the view's own constraints collected already fixes this attribute: its size for
// a dimension, its position on the axis for an edge or a centre.
bool fixedByOwnConstraints(const Wanted& wanted, long attribute)
{
    bool horizontal = attribute == NSLayoutAttributeLeft || attribute == NSLayoutAttributeLeading
        || attribute == NSLayoutAttributeRight || attribute == NSLayoutAttributeTrailing
        || attribute == NSLayoutAttributeCenterX || attribute == NSLayoutAttributeWidth;
    const Axis& axis = horizontal ? wanted.x : wanted.y;
    if (isDimension(attribute))
        return axis.size.has_value();
    return axis.min || axis.max || axis.center;
}

void collect(const UIView* view, const UIView* container, NSLayoutConstraint* c, Wanted& wanted, bool equalities)
{
    if (!c->isActive() || (c->relation() == NSLayoutRelationEqual) != equalities)
        return;
    UIView* first = c->firstView();
    UIView* second = c->secondView();
    // Views inside the one being placed follow it; they never decide where it goes.
    UIView* other = first == view ? second : first;
    if (other && other->isDescendantOf(view))
        return;
    if (first == view && second != view) {
        if (!second) {
            if (isDimension(c->firstAttribute()))
                record(wanted, c->firstAttribute(), c->constant(), equalities);
            return;
        }
        double other = attributeValue(rectIn(second, container), c->secondAttribute());
        record(wanted, c->firstAttribute(), c->multiplier() * other + c->constant(), equalities);
    } else if (second == view && first && first != view && c->multiplier() != 0) {
        // A constraint another view owns only places this one where its own constraints leave
        // the axis open: "title.top = picture.top + 5" moves the title, not the picture.
        if (fixedByOwnConstraints(wanted, c->secondAttribute()))
            return;
        double other = attributeValue(rectIn(first, container), c->firstAttribute());
        record(wanted, c->secondAttribute(), (other - c->constant()) / c->multiplier(), equalities);
    }
}

// Position and size along one axis from what the constraints fixed.
void solveAxis(const Axis& axis, double intrinsic, double& origin, double& size)
{
    if (axis.size)
        size = std::max(0.0, *axis.size);
    else if (axis.min && axis.max)
        size = std::max(0.0, *axis.max - *axis.min);
    else if (axis.min && axis.center)
        size = std::max(0.0, 2 * (*axis.center - *axis.min));
    else if (axis.max && axis.center)
        size = std::max(0.0, 2 * (*axis.max - *axis.center));
    else if (intrinsic >= 0)
        size = intrinsic;
    if (axis.min)
        origin = *axis.min;
    else if (axis.center)
        origin = *axis.center - size / 2;
    else if (axis.max)
        origin = *axis.max - size;
}

bool hasConstraints(const UIView* v)
{
    return !v->ownedConstraints().empty() || !v->secondaryConstraints().empty();
}

// Only views that gave up their autoresizing frame are placed by constraints; the others keep
// the frame their code sets, as the autoresizing constraints would hold them on a device.
bool isConstrained(const UIView* v)
{
    return !v->translatesAutoresizingMaskIntoConstraints() && hasConstraints(v);
}

}

void UIView::layoutIfNeeded()
{
    UIView* root = this;
    while (root->m_superview && root->m_superview->m_needsLayout)
        root = root->m_superview;
    rt::Ref<UIView> keep(root);
    root->layoutSubtree();
}

void UIView::layoutSubtree()
{
    if (m_needsLayout) {
        m_needsLayout = false;
        rt::Ref<UIViewController> controller(m_viewController);
        if (controller)
            rt::send(controller.get(), SELECTOR("viewWillLayoutSubviews"));
        rt::send(this, SELECTOR("layoutSubviews"));
        if (controller)
            rt::send(controller.get(), SELECTOR("viewDidLayoutSubviews"));
    }
    auto children = m_subviews;
    for (auto& child : children)
        if (child->m_superview == this)
            child->layoutSubtree();
}

void UIView::setNeedsLayout()
{
    m_needsLayout = true;
    if (m_window)
        m_window->scheduleLayout();
}

void UIView::layoutSubviews()
{
    solveConstraintsForSubviews();
}

void UIView::solveConstraintsForSubviews()
{
    std::vector<rt::Ref<UIView>> constrained;
    for (auto& child : m_subviews)
        if (isConstrained(child.get()))
            constrained.push_back(child);
    if (constrained.empty())
        return;
    bool wasApplying = std::exchange(g_applyingConstraints, true);
    for (int round = 0; round < 2; ++round) {
        for (auto& view : constrained) {
            Wanted wanted;
            for (bool equalities : { true, false }) {
                for (auto& c : std::vector(view->m_ownedConstraints))
                    collect(view.get(), this, c.get(), wanted, equalities);
                for (auto* c : std::vector(view->m_secondaryConstraints))
                    collect(view.get(), this, c, wanted, equalities);
            }
            CGRect frame = view->frame();
            bool needsIntrinsic = (!wanted.x.size && !(wanted.x.min && wanted.x.max))
                || (!wanted.y.size && !(wanted.y.min && wanted.y.max));
            CGSize intrinsic = needsIntrinsic ? view->intrinsicContentSize() : CGSize { -1, -1 };
            solveAxis(wanted.x, intrinsic.width, frame.origin.x, frame.size.width);
            solveAxis(wanted.y, intrinsic.height, frame.origin.y, frame.size.height);
            if (frame != view->frame())
                rt::send(view.get(), SELECTOR("setFrame:"), frame);
        }
    }
    g_applyingConstraints = wasApplying;
}

void UIView::resizeSubviews(CGSize oldSize)
{
    CGSize newSize = m_bounds.size;
    auto children = m_subviews;
    for (auto& child : children) {
        unsigned long mask = child->m_autoresizingMask;
        if (!mask || !child->m_translatesAutoresizingMask)
            continue;
        CGRect f = child->frame();
        // Each flexible part takes a share of the change proportional to its current length.
        auto distribute = [](double delta, double lead, double length, double trail, bool flexLead, bool flexLength,
                              bool flexTrail, double& origin, double& size) {
            double parts[3] = { flexLead ? lead : 0, flexLength ? length : 0, flexTrail ? trail : 0 };
            int flexible = flexLead + flexLength + flexTrail;
            if (!flexible)
                return;
            double sum = parts[0] + parts[1] + parts[2];
            auto share = [&](int i, bool flex) {
                return !flex ? 0.0 : sum > 0 ? delta * parts[i] / sum : delta / flexible;
            };
            origin += share(0, flexLead);
            size = std::max(0.0, size + share(1, flexLength));
        };
        distribute(newSize.width - oldSize.width, f.minX(), f.width(), oldSize.width - f.maxX(),
            mask & UIViewAutoresizingFlexibleLeftMargin, mask & UIViewAutoresizingFlexibleWidth,
            mask & UIViewAutoresizingFlexibleRightMargin, f.origin.x, f.size.width);
        distribute(newSize.height - oldSize.height, f.minY(), f.height(), oldSize.height - f.maxY(),
            mask & UIViewAutoresizingFlexibleTopMargin, mask & UIViewAutoresizingFlexibleHeight,
            mask & UIViewAutoresizingFlexibleBottomMargin, f.origin.y, f.size.height);
        rt::send(child.get(), SELECTOR("setFrame:"), f);
    }
}

void UIView::setTranslatesAutoresizingMaskIntoConstraints(bool translates)
{
    m_translatesAutoresizingMask = translates;
    if (m_superview)
        m_superview->setNeedsLayout();
}

CGSize UIView::intrinsicContentSize() const
{
    return rt::send<CGSize>(const_cast<UIView*>(this), SELECTOR("intrinsicContentSize"));
}

CGSize UIView::defaultSizeThatFits(CGSize) const
{
    return m_bounds.size;
}

void UIView::sizeToFit()
{
    CGSize size = rt::send<CGSize>(this, SELECTOR("sizeThatFits:"), m_bounds.size);
    CGRect f = frame();
    f.size = size;
    rt::send(this, SELECTOR("setFrame:"), f);
}

void UIView::addOwnedConstraint(NSLayoutConstraint* c)
{
    m_ownedConstraints.emplace_back(c);
}

void UIView::removeConstraintReference(NSLayoutConstraint* c)
{
    std::erase(m_secondaryConstraints, c);
    // Erasing may release the last reference; keep it until we are done.
    rt::Ref<NSLayoutConstraint> keep(c);
    std::erase_if(m_ownedConstraints, [c](auto& owned) { return owned.get() == c; });
}

void UIView::frameChangedOutsideConstraints()
{
    // A constrained view moved by other code goes back where its constraints say at the next
    // layout of its superview, as on a device.
    if (!g_applyingConstraints && !m_translatesAutoresizingMask && m_superview && hasConstraints(this))
        m_superview->setNeedsLayout();
}
