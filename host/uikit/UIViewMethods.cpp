#include "host/foundation/Array.h"
#include "host/runtime/Bind.h"
#include "host/uikit/CALayer.h"
#include "host/uikit/NSLayoutConstraint.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UITraitCollection.h"
#include "host/uikit/UIView.h"
#include "host/uikit/UIViewController.h"
#include "host/uikit/UIWindow.h"

// UIView's messages. Each is a thin binding of the C++ member, so that replacing the message
// replaces the behaviour for every caller, the host included.

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UIView* view(Object* o)
{
    return static_cast<UIView*>(o);
}
UIView* asView(Object* o)
{
    return isView(o) ? static_cast<UIView*>(o) : nullptr;
}

void registerInitAndGeometry(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithFrame:"), +[](Object* s, SEL, CGRect f) -> Object* {
            view(s)->setFrame(f);
            return s;
        });
    addMethod(
        c, sel("init"), +[](Object* s, SEL) { return send<Object*>(s, SELECTOR("initWithFrame:"), CGRect {}); });
    bind<&UIView::frame>(c, "frame");
    bind<&UIView::setFrame>(c, "setFrame:");
    bind<&UIView::bounds>(c, "bounds");
    bind<&UIView::setBounds>(c, "setBounds:");
    bind<&UIView::center>(c, "center");
    bind<&UIView::setCenter>(c, "setCenter:");
    addMethod(
        c, sel("convertRect:toView:"),
        +[](Object* s, SEL, CGRect r, Object* o) { return view(s)->convertRectToView(r, asView(o)); });
    addMethod(
        c, sel("convertRect:fromView:"), +[](Object* s, SEL, CGRect r, Object* o) {
            if (UIView* from = asView(o))
                return from->convertRectToView(r, view(s));
            CGPoint origin = view(s)->convertPointToView({}, nullptr);
            return CGRect { { r.origin.x - origin.x, r.origin.y - origin.y }, r.size };
        });
    addMethod(
        c, sel("convertPoint:toView:"),
        +[](Object* s, SEL, CGPoint p, Object* o) { return view(s)->convertPointToView(p, asView(o)); });
    addMethod(
        c, sel("convertPoint:fromView:"), +[](Object* s, SEL, CGPoint p, Object* o) {
            if (UIView* from = asView(o))
                return from->convertPointToView(p, view(s));
            CGPoint origin = view(s)->convertPointToView({}, nullptr);
            return CGPoint { p.x - origin.x, p.y - origin.y };
        });
}

void registerAppearance(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("layer"), +[](Object* s, SEL) -> Object* { return view(s)->layer(); });
    bind<&UIView::isHidden>(c, "isHidden");
    bind<&UIView::isHidden>(c, "hidden");
    bind<&UIView::setHidden>(c, "setHidden:");
    bind<&UIView::alpha>(c, "alpha");
    bind<&UIView::setAlpha>(c, "setAlpha:");
    addMethod(
        c, sel("backgroundColor"), +[](Object* s, SEL) -> Object* { return view(s)->backgroundColor(); });
    bind<&UIView::setBackgroundColor>(c, "setBackgroundColor:");
    addMethod(
        c, sel("tintColor"), +[](Object* s, SEL) -> Object* { return view(s)->tintColor(); });
    bind<&UIView::setTintColor>(c, "setTintColor:");
    bind<&UIView::tag>(c, "tag");
    bind<&UIView::setTag>(c, "setTag:");
    addMethod(
        c, sel("viewWithTag:"), +[](Object* s, SEL, long tag) -> Object* { return view(s)->viewWithTag(tag); });
    bind<&UIView::clipsToBounds>(c, "clipsToBounds");
    bind<&UIView::setClipsToBounds>(c, "setClipsToBounds:");
    bind<&UIView::contentMode>(c, "contentMode");
    bind<&UIView::setContentMode>(c, "setContentMode:");
    bind<&UIView::autoresizingMask>(c, "autoresizingMask");
    bind<&UIView::setAutoresizingMask>(c, "setAutoresizingMask:");
    addMethod(
        c, sel("isUserInteractionEnabled"), +[](Object*, SEL) { return true; });
    addMethod(
        c, sel("setUserInteractionEnabled:"), +[](Object*, SEL, bool) {});
    addMethod(
        c, sel("setAccessibilityIgnoresInvertColors:"), +[](Object*, SEL, bool) {});
    addMethod(
        c, sel("setNeedsDisplay"), +[](Object* s, SEL) { view(s)->layer()->setNeedsDisplay(); });
    addMethod(
        c, sel("setOpaque:"), +[](Object*, SEL, bool) {});
}

void registerHierarchy(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("superview"), +[](Object* s, SEL) -> Object* { return view(s)->superview(); });
    addMethod(
        c, sel("window"), +[](Object* s, SEL) -> Object* { return view(s)->window(); });
    addMethod(
        c, sel("subviews"), +[](Object* s, SEL) -> Object* {
            std::vector<Ref<Object>> items(view(s)->subviews().begin(), view(s)->subviews().end());
            return autorelease(NSArray::create(std::move(items)));
        });
    addMethod(
        c, sel("addSubview:"), +[](Object* s, SEL, Object* v) { view(s)->addSubview(asView(v)); });
    addMethod(
        c, sel("insertSubview:atIndex:"),
        +[](Object* s, SEL, Object* v, long i) { view(s)->insertSubview(asView(v), i); });
    addMethod(
        c, sel("insertSubview:belowSubview:"), +[](Object* s, SEL, Object* v, Object* sibling) {
            auto& list = view(s)->subviews();
            auto it = std::find_if(list.begin(), list.end(), [&](auto& x) { return x.get() == sibling; });
            view(s)->insertSubview(asView(v), it == list.end() ? 0 : it - list.begin());
        });
    addMethod(
        c, sel("insertSubview:aboveSubview:"), +[](Object* s, SEL, Object* v, Object* sibling) {
            auto& list = view(s)->subviews();
            auto it = std::find_if(list.begin(), list.end(), [&](auto& x) { return x.get() == sibling; });
            view(s)->insertSubview(asView(v), it == list.end() ? long(list.size()) : it - list.begin() + 1);
        });
    addMethod(
        c, sel("bringSubviewToFront:"), +[](Object* s, SEL, Object* v) {
            if (asView(v) && asView(v)->superview() == view(s))
                view(s)->insertSubview(asView(v), long(view(s)->subviews().size()));
        });
    addMethod(
        c, sel("sendSubviewToBack:"), +[](Object* s, SEL, Object* v) {
            if (asView(v) && asView(v)->superview() == view(s))
                view(s)->insertSubview(asView(v), 0);
        });
    bind<&UIView::removeFromSuperview>(c, "removeFromSuperview");
    addMethod(
        c, sel("isDescendantOfView:"),
        +[](Object* s, SEL, Object* v) { return v && view(s)->isDescendantOf(asView(v)); });
    addMethod(
        c, sel("_viewControllerForAncestor"),
        +[](Object* s, SEL) -> Object* { return view(s)->viewControllerForAncestor(); });
    // The announcements: the host sends them and does nothing in them itself.
    addMethod(
        c, sel("willMoveToSuperview:"), +[](Object*, SEL, Object*) {});
    addMethod(
        c, sel("didMoveToSuperview"), +[](Object*, SEL) {});
    addMethod(
        c, sel("willMoveToWindow:"), +[](Object*, SEL, Object*) {});
    addMethod(
        c, sel("didMoveToWindow"), +[](Object*, SEL) {});
    addMethod(
        c, sel("didAddSubview:"), +[](Object*, SEL, Object*) {});
    addMethod(
        c, sel("willRemoveSubview:"), +[](Object*, SEL, Object*) {});
}

void registerLayout(Class* c)
{
    using namespace rt;
    bind<&UIView::layoutSubviews>(c, "layoutSubviews");
    bind<&UIView::setNeedsLayout>(c, "setNeedsLayout");
    bind<&UIView::layoutIfNeeded>(c, "layoutIfNeeded");
    addMethod(
        c, sel("sizeThatFits:"), +[](Object* s, SEL, CGSize size) { return view(s)->defaultSizeThatFits(size); });
    bind<&UIView::sizeToFit>(c, "sizeToFit");
    addMethod(
        c, sel("intrinsicContentSize"), +[](Object* s, SEL) { return view(s)->defaultIntrinsicContentSize(); });
    addMethod(
        c, sel("invalidateIntrinsicContentSize"), +[](Object* s, SEL) {
            if (view(s)->superview())
                view(s)->superview()->setNeedsLayout();
        });
    bind<&UIView::translatesAutoresizingMaskIntoConstraints>(c, "translatesAutoresizingMaskIntoConstraints");
    bind<&UIView::setTranslatesAutoresizingMaskIntoConstraints>(c, "setTranslatesAutoresizingMaskIntoConstraints:");
    addMethod(
        c, sel("constraints"), +[](Object* s, SEL) -> Object* {
            std::vector<Ref<Object>> items(view(s)->ownedConstraints().begin(), view(s)->ownedConstraints().end());
            return autorelease(NSArray::create(std::move(items)));
        });
    addMethod(
        c, sel("addConstraint:"), +[](Object*, SEL, Object* k) {
            if (auto* constraint = dynamicCast<NSLayoutConstraint>(k, NSLayoutConstraint::classObject()))
                constraint->setActive(true);
        });
    addMethod(
        c, sel("removeConstraint:"), +[](Object*, SEL, Object* k) {
            if (auto* constraint = dynamicCast<NSLayoutConstraint>(k, NSLayoutConstraint::classObject()))
                constraint->setActive(false);
        });
    addMethod(
        c, sel("removeConstraints:"), +[](Object*, SEL, Object* array) {
            if (!isArray(array))
                return;
            auto items = static_cast<NSArray*>(array)->items();
            for (auto& item : items)
                if (auto* constraint = dynamicCast<NSLayoutConstraint>(item.get(), NSLayoutConstraint::classObject()))
                    constraint->setActive(false);
        });
}

template <long Attribute> Object* anchorGetter(Object* s, SEL)
{
    return NSLayoutAnchor::make(view(s), Attribute);
}

void registerAnchors(Class* c)
{
    using namespace rt;
    addMethod(c, sel("leadingAnchor"), &anchorGetter<NSLayoutAttributeLeading>);
    addMethod(c, sel("trailingAnchor"), &anchorGetter<NSLayoutAttributeTrailing>);
    addMethod(c, sel("leftAnchor"), &anchorGetter<NSLayoutAttributeLeft>);
    addMethod(c, sel("rightAnchor"), &anchorGetter<NSLayoutAttributeRight>);
    addMethod(c, sel("topAnchor"), &anchorGetter<NSLayoutAttributeTop>);
    addMethod(c, sel("bottomAnchor"), &anchorGetter<NSLayoutAttributeBottom>);
    addMethod(c, sel("widthAnchor"), &anchorGetter<NSLayoutAttributeWidth>);
    addMethod(c, sel("heightAnchor"), &anchorGetter<NSLayoutAttributeHeight>);
    addMethod(c, sel("centerXAnchor"), &anchorGetter<NSLayoutAttributeCenterX>);
    addMethod(c, sel("centerYAnchor"), &anchorGetter<NSLayoutAttributeCenterY>);
    addMethod(c, sel("firstBaselineAnchor"), &anchorGetter<NSLayoutAttributeFirstBaseline>);
    addMethod(c, sel("lastBaselineAnchor"), &anchorGetter<NSLayoutAttributeLastBaseline>);
}

void registerUIViewTraits(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("traitCollection"), +[](Object* s, SEL) -> Object* { return view(s)->traitCollection(); });
    addMethod(
        c, sel("traitCollectionDidChange:"), +[](Object*, SEL, Object*) {});
    bind<&UIView::overrideUserInterfaceStyle>(c, "overrideUserInterfaceStyle");
    bind<&UIView::setOverrideUserInterfaceStyle>(c, "setOverrideUserInterfaceStyle:");
}

}

Class* UIView::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIView>("UIView", UIResponder::classObject());
        registerInitAndGeometry(c);
        registerAppearance(c);
        registerHierarchy(c);
        registerLayout(c);
        registerAnchors(c);
        registerUIViewTraits(c);
        return c;
    }();
    return cls;
}
