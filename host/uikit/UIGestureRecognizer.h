#pragma once

#include <vector>

#include "host/runtime/Runtime.h"

class UIView;

// UIGestureRecognizer and UITapGestureRecognizer: targets and actions fired when the gesture is
// recognised. A tap recognizer fires once it has seen as many taps as it requires.
class UIGestureRecognizer : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Class* tapClass();

    // What a finger's taps on the recognizer's view do; returns whether it fired.
    bool simulateTaps(long count);
    void fire();

    // The view holding the recognizer; the view clears it when it dies.
    UIView* view() const { return m_view; }
    void setView(UIView* view) { m_view = view; }
    long state() const { return m_state; }
    bool isEnabled() const { return m_enabled; }

private:
    static void registerMethods(rt::Class*);
    static void registerTapMethods(rt::Class*);

    struct TargetAction {
        rt::Weak<rt::Object> target;
        rt::SEL action;
    };
    std::vector<TargetAction> m_targets;
    UIView* m_view { nullptr };
    long m_numberOfTapsRequired { 1 };
    long m_state { 0 };
    bool m_enabled { true };
    bool m_cancelsTouchesInView { true };
    rt::Weak<rt::Object> m_delegate;
};

// Attaches the recognizer's methods to UIView (addGestureRecognizer: and its siblings).
void registerGestureRecognizerViewMethods();

// What `count` quick taps of a finger on the view do: the recognizers of the view and then of
// its superviews see them, and the first that recognises them fires. Returns whether one fired.
bool deliverTaps(UIView* view, long count);
