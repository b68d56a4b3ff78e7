#include "host/uikit/UIGestureRecognizer.h"

#include <algorithm>

#include "host/foundation/Array.h"
#include "host/runtime/Bind.h"
#include "host/uikit/TargetAction.h"
#include "host/uikit/UIView.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UIGestureRecognizer* recognizer(Object* o)
{
    return static_cast<UIGestureRecognizer*>(o);
}
UIGestureRecognizer* asRecognizer(Object* o)
{
    return rt::dynamicCast<UIGestureRecognizer>(o, UIGestureRecognizer::classObject());
}

}

Class* UIGestureRecognizer::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIGestureRecognizer>("UIGestureRecognizer", rt::rootClass());
        registerMethods(c);
        return c;
    }();
    return cls;
}

Class* UIGestureRecognizer::tapClass()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIGestureRecognizer>("UITapGestureRecognizer", classObject());
        registerTapMethods(c);
        return c;
    }();
    return cls;
}

void UIGestureRecognizer::registerMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithTarget:action:"), +[](Object* s, SEL, Object* target, SEL action) -> Object* {
            if (action)
                recognizer(s)->m_targets.push_back({ Weak<Object>(target), action });
            return s;
        });
    addMethod(
        c, sel("addTarget:action:"), +[](Object* s, SEL, Object* target, SEL action) {
            if (action)
                recognizer(s)->m_targets.push_back({ Weak<Object>(target), action });
        });
    bindReadOnlyProperty<&UIGestureRecognizer::m_view>(c, "view");
    bindReadOnlyProperty<&UIGestureRecognizer::m_state>(c, "state");
    bindProperty<&UIGestureRecognizer::m_enabled>(c, { "enabled", "isEnabled" });
    bindProperty<&UIGestureRecognizer::m_cancelsTouchesInView>(c, "cancelsTouchesInView");
    bindProperty<&UIGestureRecognizer::m_delegate>(c, "delegate");
}

void UIGestureRecognizer::registerTapMethods(Class* c)
{
    using namespace rt;
    // UIKit keeps the count unsigned; a recognizer needs at least one tap and at most a hundred.
    addMethod(
        c, sel("numberOfTapsRequired"),
        +[](Object* s, SEL) { return static_cast<unsigned long>(recognizer(s)->m_numberOfTapsRequired); });
    addMethod(
        c, sel("setNumberOfTapsRequired:"), +[](Object* s, SEL, unsigned long n) {
            recognizer(s)->m_numberOfTapsRequired = std::max(1L, static_cast<long>(std::min(n, 100UL)));
        });
}

bool UIGestureRecognizer::simulateTaps(long count)
{
    if (!m_enabled || count < m_numberOfTapsRequired)
        return false;
    fire();
    return true;
}

void UIGestureRecognizer::fire()
{
    rt::Ref<UIGestureRecognizer> keep(this);
    // Recognised (UIGestureRecognizerStateEnded) while the actions run, then possible again.
    m_state = 3;
    auto targets = m_targets;
    for (auto& entry : targets)
        if (auto target = entry.target.load())
            sendAction(target.get(), entry.action, this);
    m_state = 0;
}

bool deliverTaps(UIView* view, long count)
{
    rt::Ref<UIView> keep(view);
    for (UIView* v = view; v; v = v->superview()) {
        auto recognizers = v->gestureRecognizers();
        for (auto& entry : recognizers) {
            auto* r = asRecognizer(entry.get());
            if (r && rt::isKindOf(r, UIGestureRecognizer::tapClass()) && r->simulateTaps(count))
                return true;
        }
    }
    return false;
}

void registerGestureRecognizerViewMethods()
{
    using namespace rt;
    Class* view = UIView::classObject();
    addMethod(
        view, sel("addGestureRecognizer:"), +[](Object* s, SEL, Object* g) {
            auto* r = asRecognizer(g);
            auto* v = static_cast<UIView*>(s);
            auto& list = v->gestureRecognizers();
            if (!r || std::find(list.begin(), list.end(), rt::Ref<Object>(g)) != list.end())
                return;
            if (r->view() && r->view() != s)
                r->view()->forgetGestureRecognizer(g);
            r->setView(v);
            v->appendGestureRecognizer(g);
        });
    addMethod(
        view, sel("removeGestureRecognizer:"), +[](Object* s, SEL, Object* g) {
            auto* r = asRecognizer(g);
            if (!r || r->view() != s)
                return;
            r->setView(nullptr);
            static_cast<UIView*>(s)->forgetGestureRecognizer(g);
        });
    addMethod(
        view, sel("gestureRecognizers"), +[](Object* s, SEL) -> Object* {
            return autorelease(NSArray::create(static_cast<UIView*>(s)->gestureRecognizers()));
        });
}
