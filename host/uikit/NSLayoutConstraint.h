#pragma once

#include "host/runtime/Runtime.h"

class UIView;

enum NSLayoutAttribute : long {
    NSLayoutAttributeNotAnAttribute = 0,
    NSLayoutAttributeLeft = 1,
    NSLayoutAttributeRight = 2,
    NSLayoutAttributeTop = 3,
    NSLayoutAttributeBottom = 4,
    NSLayoutAttributeLeading = 5,
    NSLayoutAttributeTrailing = 6,
    NSLayoutAttributeWidth = 7,
    NSLayoutAttributeHeight = 8,
    NSLayoutAttributeCenterX = 9,
    NSLayoutAttributeCenterY = 10,
    NSLayoutAttributeLastBaseline = 11,
    NSLayoutAttributeFirstBaseline = 12,
};

enum NSLayoutRelation : long {
    NSLayoutRelationLessThanOrEqual = -1,
    NSLayoutRelationEqual = 0,
    NSLayoutRelationGreaterThanOrEqual = 1,
};

// A layout constraint: first.attribute (relation) multiplier * second.attribute + constant, or
// first.attribute (relation) constant when there is no second item. Active constraints are held
// by their first item's view and resolved when the superview of a constrained view lays out.
class NSLayoutConstraint final : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<NSLayoutConstraint> create(UIView* first, long firstAttribute, long relation, UIView* second,
        long secondAttribute, double multiplier, double constant);

    ~NSLayoutConstraint() override;

    bool isActive() const { return m_active; }
    void setActive(bool);
    // Called by a dying view: the constraint stops without touching that view again.
    void detachFromDyingView(UIView*);

    // The items while the constraint is active (the resolver's fast path).
    UIView* firstView() const { return m_firstView; }
    UIView* secondView() const { return m_secondView; }
    // The items whether active or not; null once a view is gone.
    rt::Ref<UIView> firstItem() const { return m_firstItem.load(); }
    rt::Ref<UIView> secondItem() const { return m_secondItem.load(); }

    long firstAttribute() const { return m_firstAttribute; }
    long secondAttribute() const { return m_secondAttribute; }
    long relation() const { return m_relation; }
    double multiplier() const { return m_multiplier; }
    double constant() const { return m_constant; }

private:
    static void registerMethods(rt::Class*);
    void constantChanged();

    long m_firstAttribute { NSLayoutAttributeNotAnAttribute };
    long m_secondAttribute { NSLayoutAttributeNotAnAttribute };
    long m_relation { NSLayoutRelationEqual };
    double m_multiplier { 1 };
    double m_constant { 0 };
    float m_priority { 1000 };
    rt::Ref<rt::Object> m_identifier;
    rt::Weak<UIView> m_firstItem;
    rt::Weak<UIView> m_secondItem;
    // Set while active: an active constraint is listed by both views, and a dying view tells it.
    UIView* m_firstView { nullptr };
    UIView* m_secondView { nullptr };
    bool m_hasSecondItem { false };
    bool m_active { false };
};

// NSLayoutAnchor and its three kinds (x axis, y axis, dimension): one attribute of one view.
class NSLayoutAnchor final : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Class* xAxisClass();
    static rt::Class* yAxisClass();
    static rt::Class* dimensionClass();
    static NSLayoutAnchor* make(UIView*, long attribute);

    // The view, or null once it is gone.
    rt::Ref<UIView> view() const { return m_view.load(); }
    long attribute() const { return m_attribute; }

private:
    rt::Weak<UIView> m_view;
    long m_attribute { NSLayoutAttributeNotAnAttribute };
};

bool isHorizontalAttribute(long);
