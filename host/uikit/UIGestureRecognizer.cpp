#include "host/uikit/UIGestureRecognizer.h"

#include <algorithm>

#include "host/foundation/Array.h"
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

void registerUIGestureRecognizerMethods(Class* c)
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
    addMethod(
        c, sel("view"), +[](Object* s, SEL) -> Object* { return recognizer(s)->m_view; });
    addMethod(
        c, sel("state"), +[](Object* s, SEL) { return recognizer(s)->m_state; });
    addMethod(
        c, sel("isEnabled"), +[](Object* s, SEL) { return recognizer(s)->m_enabled; });
    addMethod(
        c, sel("setEnabled:"), +[](Object* s, SEL, bool e) { recognizer(s)->m_enabled = e; });
    addMethod(
        c, sel("setCancelsTouchesInView:"), +[](Object* s, SEL, bool v) { recognizer(s)->m_cancelsTouchesInView = v; });
    addMethod(
        c, sel("delegate"),
        +[](Object* s, SEL) -> Object* { return autorelease(recognizer(s)->m_delegate.load().leak()); });
    addMethod(
        c, sel("setDelegate:"), +[](Object* s, SEL, Object* d) { recognizer(s)->m_delegate = d; });
}

void registerTapMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("numberOfTapsRequired"),
        +[](Object* s, SEL) { return static_cast<unsigned long>(recognizer(s)->m_numberOfTapsRequired); });
    addMethod(
        c, sel("setNumberOfTapsRequired:"), +[](Object* s, SEL, unsigned long n) {
            recognizer(s)->m_numberOfTapsRequired = std::max(1L, static_cast<long>(std::min(n, 100UL)));
        });
}

}

Class* UIGestureRecognizer::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIGestureRecognizer>("UIGestureRecognizer", rt::rootClass());
        registerUIGestureRecognizerMethods(c);
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
        auto recognizers = v->m_gestureRecognizers;
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
            auto& list = static_cast<UIView*>(s)->m_gestureRecognizers;
            if (!r || std::find(list.begin(), list.end(), rt::Ref<Object>(g)) != list.end())
                return;
            if (r->m_view && r->m_view != s)
                std::erase(r->m_view->m_gestureRecognizers, rt::Ref<Object>(g));
            r->m_view = static_cast<UIView*>(s);
            list.emplace_back(g);
        });
    addMethod(
        view, sel("removeGestureRecognizer:"), +[](Object* s, SEL, Object* g) {
            auto* r = asRecognizer(g);
            if (!r || r->m_view != s)
                return;
            r->m_view = nullptr;
            std::erase(static_cast<UIView*>(s)->m_gestureRecognizers, rt::Ref<Object>(g));
        });
    addMethod(
        view, sel("gestureRecognizers"), +[](Object* s, SEL) -> Object* {
            return autorelease(NSArray::create(static_cast<UIView*>(s)->m_gestureRecognizers));
        });
}
