#include "host/uikit/UIControl.h"

#include <algorithm>

#include "host/runtime/Bind.h"
#include "host/uikit/TargetAction.h"

using rt::Class;
using rt::Object;
using rt::SEL;

Class* UIControl::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIControl>("UIControl", UIView::classObject());
        registerMethods(c);
        return c;
    }();
    return cls;
}

void UIControl::registerMethods(Class* c)
{
    using namespace rt;
    bind<&UIControl::addTarget>(c, "addTarget:action:forControlEvents:");
    bind<&UIControl::removeTarget>(c, "removeTarget:action:forControlEvents:");
    bind<&UIControl::sendActionsForControlEvents>(c, "sendActionsForControlEvents:");
    bind<&UIControl::state>(c, "state");
    bindProperty<&UIControl::m_enabled>(c, { "enabled", "isEnabled" });
    bindProperty<&UIControl::m_selected>(c, { "selected", "isSelected" });
    bindProperty<&UIControl::m_highlighted>(c, { "highlighted", "isHighlighted" });
    // The content moves within the control, so a changed alignment lays it out again.
    bindPropertyThen<&UIControl::m_contentVerticalAlignment, &UIControl::setNeedsLayout>(c, "contentVerticalAlignment");
    bindPropertyThen<&UIControl::m_contentHorizontalAlignment, &UIControl::setNeedsLayout>(
        c, "contentHorizontalAlignment");
}

bool UIControl::sendsAction(SEL action) const
{
    return std::any_of(m_actions.begin(), m_actions.end(), [action](auto& a) { return a.action == action; });
}

void UIControl::addTarget(Object* target, SEL action, unsigned long events)
{
    if (!action || !events)
        return;
    for (auto& entry : m_actions)
        if (entry.action == action && entry.target.load().get() == target && entry.hasTarget == bool(target)) {
            entry.events |= events;
            return;
        }
    m_actions.push_back({ rt::Weak<Object>(target), target != nullptr, action, events });
}

void UIControl::removeTarget(Object* target, SEL action, unsigned long events)
{
    for (auto& entry : m_actions)
        if ((!target || entry.target.load().get() == target) && (!action || entry.action == action))
            entry.events &= ~events;
    std::erase_if(m_actions, [](auto& entry) { return entry.events == 0; });
}

void UIControl::sendActionsForControlEvents(unsigned long events)
{
    rt::Ref<UIControl> keep(this);
    auto actions = m_actions;
    for (auto& entry : actions) {
        if (!(entry.events & events))
            continue;
        if (entry.hasTarget) {
            if (auto target = entry.target.load())
                sendAction(target.get(), entry.action, this);
            continue;
        }
        // A nil target goes up the responder chain to the first responder that answers.
        for (UIResponder* r = this; r; r = r->nextResponder())
            if (sendAction(r, entry.action, this))
                break;
    }
}

void UIControl::simulateTap()
{
    if (!m_enabled || isHidden())
        return;
    rt::Ref<UIControl> keep(this);
    m_highlighted = true;
    sendActionsForControlEvents(UIControlEventTouchDown);
    m_highlighted = false;
    sendActionsForControlEvents(UIControlEventTouchUpInside | UIControlEventPrimaryActionTriggered);
}

unsigned long UIControl::state() const
{
    unsigned long state = 0;
    if (m_highlighted)
        state |= UIControlStateHighlighted;
    if (!m_enabled)
        state |= UIControlStateDisabled;
    if (m_selected)
        state |= UIControlStateSelected;
    return state;
}

bool isControl(Object* o)
{
    return rt::isKindOf(o, UIControl::classObject());
}
