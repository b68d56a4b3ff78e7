#pragma once

#include "host/uikit/UIResponder.h"

// UIApplication: the running Settings app: its windows, the status bar's frame, its icon badge
// and its state.
class UIApplication final : public UIResponder {
public:
    static rt::Class* classObject();
    static UIApplication* sharedApplication();

private:
    static void registerMethods(rt::Class*);

    long m_badgeNumber { 0 };
    long m_state { 0 }; // 0 active, 1 inactive, 2 background
    rt::Weak<rt::Object> m_delegate;
};
