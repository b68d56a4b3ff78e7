#pragma once

#include <vector>

#include "host/uikit/UIView.h"

enum UIControlEvents : unsigned long {
    UIControlEventTouchDown = 1 << 0,
    UIControlEventTouchUpInside = 1 << 6,
    UIControlEventValueChanged = 1 << 12,
    UIControlEventPrimaryActionTriggered = 1 << 13,
    UIControlEventAllEvents = 0xFFFFFFFF,
};

enum UIControlState : unsigned long {
    UIControlStateNormal = 0,
    UIControlStateHighlighted = 1 << 0,
    UIControlStateDisabled = 1 << 1,
    UIControlStateSelected = 1 << 2,
};

// UIControl: targets and actions per event, enabled/selected/highlighted state, and content
// alignment. Actions are sent as UIKit sends them (see sendAction).
class UIControl : public UIView {
public:
    static rt::Class* classObject();

    void addTarget(rt::Object* target, rt::SEL action, unsigned long events);
    void removeTarget(rt::Object* target, rt::SEL action, unsigned long events);
    // Whether some event of the control sends this action.
    bool sendsAction(rt::SEL action) const;
    void sendActionsForControlEvents(unsigned long events);
    // What a finger's tap does: highlight, touch up inside, unhighlight. Subclasses add their own
    // response (a switch flips, a button with a menu opens it).
    virtual void simulateTap();

    unsigned long state() const;
    bool isEnabled() const { return m_enabled; }
    bool isSelected() const { return m_selected; }
    bool isHighlighted() const { return m_highlighted; }
    long contentVerticalAlignment() const { return m_contentVerticalAlignment; }
    long contentHorizontalAlignment() const { return m_contentHorizontalAlignment; }

private:
    static void registerMethods(rt::Class*);

    bool m_enabled { true };
    bool m_selected { false };
    bool m_highlighted { false };
    long m_contentVerticalAlignment { 0 };
    long m_contentHorizontalAlignment { 0 };

    struct TargetAction {
        rt::Weak<rt::Object> target;
        bool hasTarget;
        rt::SEL action;
        unsigned long events;
    };
    std::vector<TargetAction> m_actions;
};

bool isControl(rt::Object*);
