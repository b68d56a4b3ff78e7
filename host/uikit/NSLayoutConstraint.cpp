#include "host/uikit/NSLayoutConstraint.h"

#include "host/foundation/Array.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UIView.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

NSLayoutConstraint* constraint(Object* o)
{
    return static_cast<NSLayoutConstraint*>(o);
}
NSLayoutAnchor* anchor(Object* o)
{
    return static_cast<NSLayoutAnchor*>(o);
}

UIView* constrainedView(Object* o)
{
    return isView(o) ? static_cast<UIView*>(o) : nullptr;
}

Object* makeConstraint(Object* self, Object* other, long relation, double multiplier, double constant)
{
    auto* a = anchor(self);
    auto* b = rt::dynamicCast<NSLayoutAnchor>(other, NSLayoutAnchor::classObject());
    auto first = a->view();
    auto second = b ? b->view() : nullptr;
    if (b && !second)
        return nullptr;
    return rt::autorelease(NSLayoutConstraint::create(first.get(), a->attribute(), relation, second.get(),
        b ? b->attribute() : NSLayoutAttributeNotAnAttribute, b ? multiplier : 0, constant));
}

void forEachConstraint(Object* array, bool active)
{
    if (!isArray(array))
        return;
    auto items = static_cast<NSArray*>(array)->items();
    for (auto& item : items)
        if (auto* c = rt::dynamicCast<NSLayoutConstraint>(item.get(), NSLayoutConstraint::classObject()))
            c->setActive(active);
}

void registerAnchorMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("constraintEqualToAnchor:"), +[](Object* s, SEL, Object* o) { return makeConstraint(s, o, 0, 1, 0); });
    addMethod(
        c, sel("constraintEqualToAnchor:constant:"),
        +[](Object* s, SEL, Object* o, double k) { return makeConstraint(s, o, 0, 1, k); });
    addMethod(
        c, sel("constraintGreaterThanOrEqualToAnchor:"),
        +[](Object* s, SEL, Object* o) { return makeConstraint(s, o, 1, 1, 0); });
    addMethod(
        c, sel("constraintGreaterThanOrEqualToAnchor:constant:"),
        +[](Object* s, SEL, Object* o, double k) { return makeConstraint(s, o, 1, 1, k); });
    addMethod(
        c, sel("constraintLessThanOrEqualToAnchor:"),
        +[](Object* s, SEL, Object* o) { return makeConstraint(s, o, -1, 1, 0); });
    addMethod(
        c, sel("constraintLessThanOrEqualToAnchor:constant:"),
        +[](Object* s, SEL, Object* o, double k) { return makeConstraint(s, o, -1, 1, k); });
}

void registerDimensionMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("constraintEqualToConstant:"),
        +[](Object* s, SEL, double k) { return makeConstraint(s, nullptr, 0, 0, k); });
    addMethod(
        c, sel("constraintGreaterThanOrEqualToConstant:"),
        +[](Object* s, SEL, double k) { return makeConstraint(s, nullptr, 1, 0, k); });
    addMethod(
        c, sel("constraintLessThanOrEqualToConstant:"),
        +[](Object* s, SEL, double k) { return makeConstraint(s, nullptr, -1, 0, k); });
    addMethod(
        c, sel("constraintEqualToAnchor:multiplier:"),
        +[](Object* s, SEL, Object* o, double m) { return makeConstraint(s, o, 0, m, 0); });
    addMethod(
        c, sel("constraintEqualToAnchor:multiplier:constant:"),
        +[](Object* s, SEL, Object* o, double m, double k) { return makeConstraint(s, o, 0, m, k); });
}

}

Class* NSLayoutConstraint::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<NSLayoutConstraint>("NSLayoutConstraint", rt::rootClass());
        registerMethods(c);
        return c;
    }();
    return cls;
}

rt::Ref<NSLayoutConstraint> NSLayoutConstraint::create(UIView* first, long firstAttribute, long relation,
    UIView* second, long secondAttribute, double multiplier, double constant)
{
    auto c = rt::adopt(static_cast<NSLayoutConstraint*>(classObject()->allocate()));
    c->m_firstItem = first;
    c->m_secondItem = second;
    c->m_hasSecondItem = second;
    c->m_firstAttribute = firstAttribute;
    c->m_secondAttribute = second ? secondAttribute : NSLayoutAttributeNotAnAttribute;
    c->m_relation = relation < 0 ? -1 : relation > 0 ? 1 : 0;
    c->m_multiplier = multiplier;
    c->m_constant = constant;
    return c;
}

NSLayoutConstraint::~NSLayoutConstraint() = default;

void NSLayoutConstraint::registerMethods(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("constraintWithItem:attribute:relatedBy:toItem:attribute:multiplier:constant:"),
        +[](Class*, SEL, Object* a, long attrA, long relation, Object* b, long attrB, double m, double k) -> Object* {
            if (!constrainedView(a) || (b && !constrainedView(b)))
                return nullptr;
            return autorelease(NSLayoutConstraint::create(constrainedView(a), attrA, relation, constrainedView(b), attrB, m, k));
        });
    addClassMethod(
        c, sel("activateConstraints:"), +[](Class*, SEL, Object* array) { forEachConstraint(array, true); });
    addClassMethod(
        c, sel("deactivateConstraints:"), +[](Class*, SEL, Object* array) { forEachConstraint(array, false); });
    bind<&NSLayoutConstraint::isActive>(c, "isActive");
    bind<&NSLayoutConstraint::isActive>(c, "active");
    bind<&NSLayoutConstraint::setActive>(c, "setActive:");
    bindPropertyThen<&NSLayoutConstraint::m_constant, &NSLayoutConstraint::constantChanged>(c, "constant");
    bindReadOnlyProperty<&NSLayoutConstraint::m_multiplier>(c, "multiplier");
    bindReadOnlyProperty<&NSLayoutConstraint::m_relation>(c, "relation");
    bindReadOnlyProperty<&NSLayoutConstraint::m_firstAttribute>(c, "firstAttribute");
    bindReadOnlyProperty<&NSLayoutConstraint::m_secondAttribute>(c, "secondAttribute");
    addMethod(
        c, sel("firstItem"), +[](Object* s, SEL) -> Object* { return autorelease(constraint(s)->firstItem().leak()); });
    addMethod(
        c, sel("secondItem"),
        +[](Object* s, SEL) -> Object* { return autorelease(constraint(s)->secondItem().leak()); });
    bindProperty<&NSLayoutConstraint::m_priority>(c, "priority");
    bindProperty<&NSLayoutConstraint::m_identifier, Memory::Copy>(c, "identifier");
}

// A new constant moves the first item, which its superview places.
void NSLayoutConstraint::constantChanged()
{
    if (auto first = firstItem(); first && first->superview())
        first->superview()->setNeedsLayout();
}

void NSLayoutConstraint::setActive(bool active)
{
    if (active == m_active)
        return;
    rt::Ref<NSLayoutConstraint> keep(this);
    rt::Ref<UIView> first = m_firstItem.load();
    rt::Ref<UIView> second = m_secondItem.load();
    // A constraint whose view is gone cannot be active again.
    if (active && (!first || (m_hasSecondItem && !second)))
        return;
    m_active = active;
    if (active) {
        m_firstView = first.get();
        m_secondView = second.get();
        m_firstView->addOwnedConstraint(this);
        if (m_secondView)
            m_secondView->addSecondaryConstraint(this);
    } else {
        if (m_secondView)
            m_secondView->removeConstraintReference(this);
        if (m_firstView)
            m_firstView->removeConstraintReference(this);
        m_firstView = m_secondView = nullptr;
    }
    for (UIView* v : { first.get(), second.get() })
        if (v) {
            v->setNeedsLayout();
            if (v->superview())
                v->superview()->setNeedsLayout();
        }
}

void NSLayoutConstraint::detachFromDyingView(UIView* view)
{
    UIView* other = view == m_firstView ? m_secondView : m_firstView;
    rt::Ref<NSLayoutConstraint> keep(this);
    m_active = false;
    m_firstView = m_secondView = nullptr;
    if (other && other != view)
        other->removeConstraintReference(this);
}

Class* NSLayoutAnchor::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<NSLayoutAnchor>("NSLayoutAnchor", rt::rootClass());
        registerAnchorMethods(c);
        return c;
    }();
    return cls;
}

Class* NSLayoutAnchor::xAxisClass()
{
    static Class* cls = rt::defineCppClass<NSLayoutAnchor>("NSLayoutXAxisAnchor", classObject());
    return cls;
}

Class* NSLayoutAnchor::yAxisClass()
{
    static Class* cls = rt::defineCppClass<NSLayoutAnchor>("NSLayoutYAxisAnchor", classObject());
    return cls;
}

Class* NSLayoutAnchor::dimensionClass()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<NSLayoutAnchor>("NSLayoutDimension", classObject());
        registerDimensionMethods(c);
        return c;
    }();
    return cls;
}

NSLayoutAnchor* NSLayoutAnchor::make(UIView* view, long attribute)
{
    Class* cls = attribute == NSLayoutAttributeWidth || attribute == NSLayoutAttributeHeight ? dimensionClass()
        : isHorizontalAttribute(attribute)                                                   ? xAxisClass()
                                                                                             : yAxisClass();
    auto a = rt::adopt(static_cast<NSLayoutAnchor*>(cls->allocate()));
    a->m_view = view;
    a->m_attribute = attribute;
    return rt::autorelease(std::move(a));
}

bool isHorizontalAttribute(long attribute)
{
    switch (attribute) {
    case NSLayoutAttributeLeft:
    case NSLayoutAttributeRight:
    case NSLayoutAttributeLeading:
    case NSLayoutAttributeTrailing:
    case NSLayoutAttributeWidth:
    case NSLayoutAttributeCenterX:
        return true;
    default:
        return false;
    }
}
