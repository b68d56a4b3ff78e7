#pragma once

#include <vector>

#include "host/foundation/Geometry.h"
#include "host/uikit/UIResponder.h"

class CALayer;
class Canvas;
class NSLayoutConstraint;
class UIColor;
class UITraitCollection;
class UIViewController;
class UIWindow;

enum UIViewAutoresizing : unsigned long {
    UIViewAutoresizingNone = 0,
    UIViewAutoresizingFlexibleLeftMargin = 1 << 0,
    UIViewAutoresizingFlexibleWidth = 1 << 1,
    UIViewAutoresizingFlexibleRightMargin = 1 << 2,
    UIViewAutoresizingFlexibleTopMargin = 1 << 3,
    UIViewAutoresizingFlexibleHeight = 1 << 4,
    UIViewAutoresizingFlexibleBottomMargin = 1 << 5,
};

enum UIViewContentMode : long {
    UIViewContentModeScaleToFill = 0,
    UIViewContentModeScaleAspectFit = 1,
    UIViewContentModeScaleAspectFill = 2,
    UIViewContentModeRedraw = 3,
    UIViewContentModeCenter = 4,
};

// UIView: geometry, the view tree, layout and traits.
//
// Everything a subclass or the library may override is reached by message: the tree sends
// willMoveToSuperview:, didMoveToSuperview, willMoveToWindow:, didMoveToWindow, layoutSubviews,
// traitCollectionDidChange:, setCenter: (setFrame: positions through it) and sizeThatFits: at the
// moments UIKit sends them. The C++ members below are the host's own storage and mechanics.
class UIView : public UIResponder {
public:
    static rt::Class* classObject();
    // alloc + initWithFrame: by message, so subclasses' initializers run.
    static rt::Ref<UIView> create(rt::Class*, CGRect frame = {});

    UIView();
    ~UIView() override;

    // Geometry. The frame is derived from the centre and the bounds' size.
    CGRect frame() const;
    void setFrame(CGRect);
    CGRect bounds() const { return m_bounds; }
    void setBounds(CGRect);
    CGPoint center() const { return m_center; }
    void setCenter(CGPoint);
    // Converts a rectangle in this view's bounds to another view's (or the window's, for null).
    CGRect convertRectToView(CGRect, const UIView* other) const;
    CGPoint convertPointToView(CGPoint, const UIView* other) const;

    // Appearance.
    CALayer* layer() const { return m_layer.get(); }
    bool isHidden() const { return m_hidden; }
    void setHidden(bool hidden) { m_hidden = hidden; }
    double alpha() const { return m_alpha; }
    void setAlpha(double);
    UIColor* backgroundColor() const { return m_backgroundColor.get(); }
    void setBackgroundColor(rt::Object*);
    UIColor* tintColor() const;
    void setTintColor(rt::Object*);
    // The tint set on this view itself, null when it takes its superview's.
    UIColor* ownTintColor() const { return m_tintColor.get(); }
    long tag() const { return m_tag; }
    void setTag(long tag) { m_tag = tag; }
    UIView* viewWithTag(long) const;
    bool clipsToBounds() const;
    void setClipsToBounds(bool);
    long contentMode() const { return m_contentMode; }
    void setContentMode(long mode) { m_contentMode = mode; }

    // The tree.
    UIView* superview() const { return m_superview; }
    const std::vector<rt::Ref<UIView>>& subviews() const { return m_subviews; }
    UIWindow* window() const { return m_window; }
    void addSubview(UIView*);
    void insertSubview(UIView*, long index);
    void removeFromSuperview();
    bool isDescendantOf(const UIView*) const;
    // The view controller whose view this is, if any.
    UIViewController* viewController() const { return m_viewController; }
    void setViewController(UIViewController* controller) { m_viewController = controller; }
    // The nearest view controller owning this view or an ancestor (_viewControllerForAncestor).
    UIViewController* viewControllerForAncestor() const;
    UIResponder* nextResponder() const override;

    // Layout.
    void setNeedsLayout();
    bool needsLayout() const { return m_needsLayout; }
    // Lays out this view and its subtree where needed, sending layoutSubviews to each view
    // (and the view controller's viewWillLayoutSubviews/viewDidLayoutSubviews around it).
    void layoutIfNeeded();
    // UIView's own layoutSubviews: positions constrained subviews. Subclasses call it as super.
    void layoutSubviews();
    unsigned long autoresizingMask() const { return m_autoresizingMask; }
    void setAutoresizingMask(unsigned long mask) { m_autoresizingMask = mask; }
    bool translatesAutoresizingMaskIntoConstraints() const { return m_translatesAutoresizingMask; }
    void setTranslatesAutoresizingMaskIntoConstraints(bool);
    // What the view would like to be, by message (subclasses answer); -1 for "no preference".
    CGSize intrinsicContentSize() const;
    // The default answers for the messages of the same name.
    virtual CGSize defaultIntrinsicContentSize() const { return { -1, -1 }; }
    virtual CGSize defaultSizeThatFits(CGSize) const;
    void sizeToFit();

    // Constraints this view takes part in (those it is the first item of are owned here).
    void addOwnedConstraint(NSLayoutConstraint*);
    void removeConstraintReference(NSLayoutConstraint*);
    void addSecondaryConstraint(NSLayoutConstraint* c) { m_secondaryConstraints.push_back(c); }
    const std::vector<rt::Ref<NSLayoutConstraint>>& ownedConstraints() const { return m_ownedConstraints; }
    const std::vector<NSLayoutConstraint*>& secondaryConstraints() const { return m_secondaryConstraints; }

    // Traits.
    long overrideUserInterfaceStyle() const { return m_overrideStyle; }
    void setOverrideUserInterfaceStyle(long);
    // The interface style this view resolves to: its own override, else its view controller's,
    // else its superview's, else the current traits (for a view outside any window).
    long effectiveUserInterfaceStyle() const;
    UITraitCollection* traitCollection() const;
    // Sends traitCollectionDidChange: through the subtree to every view (and view controller)
    // whose style differs from the style it last reported.
    void propagateTraitChanges();

    // Drawing: the view's own content, in its bounds' coordinates, under the resolved style.
    // Background, border and corners belong to the layer and are drawn by the renderer.
    virtual void drawContent(Canvas&, long style) const;
    // Whether the renderer should fill the view's bounds with its background colour.
    virtual bool drawsOwnBackground() const { return true; }
    // Whether drawContent comes after the subviews (text fields draw their text over their
    // background view).
    virtual bool drawsContentAboveSubviews() const { return false; }

    // Gesture recognizers attached with addGestureRecognizer:. The recognizer's own messages keep
    // the list; these only store, as the recognizer also records its view.
    const std::vector<rt::Ref<rt::Object>>& gestureRecognizers() const { return m_gestureRecognizers; }
    void appendGestureRecognizer(rt::Object* recognizer) { m_gestureRecognizers.emplace_back(recognizer); }
    void forgetGestureRecognizer(rt::Object*);

protected:
    // Called after the bounds' size changed (autoresizes subviews and asks for layout).
    virtual void boundsSizeDidChange(CGSize oldSize);

private:
    friend class UIWindow;
    void layoutSubtree();
    void frameChangedOutsideConstraints();
    void resizeSubviews(CGSize oldSize);
    void solveConstraintsForSubviews();
    void moveToWindow(UIWindow*);
    void dropExternalConstraints(const UIView* subtreeRoot);

    std::vector<rt::Ref<rt::Object>> m_gestureRecognizers;
    bool m_hidden { false };
    double m_alpha { 1 };
    rt::Ref<UIColor> m_backgroundColor;
    rt::Ref<UIColor> m_tintColor;
    rt::Ref<CALayer> m_layer;
    CGPoint m_center;
    CGRect m_bounds;
    long m_tag { 0 };
    long m_contentMode { UIViewContentModeScaleToFill };
    unsigned long m_autoresizingMask { UIViewAutoresizingNone };
    bool m_autoresizesSubviews { true };
    bool m_translatesAutoresizingMask { true };
    bool m_needsLayout { true };
    long m_overrideStyle { 0 };
    long m_reportedStyle { 0 };

    std::vector<rt::Ref<UIView>> m_subviews;
    UIView* m_superview { nullptr };
    UIWindow* m_window { nullptr };
    UIViewController* m_viewController { nullptr };
    std::vector<rt::Ref<NSLayoutConstraint>> m_ownedConstraints;
    std::vector<NSLayoutConstraint*> m_secondaryConstraints;
};

bool isView(rt::Object*);
