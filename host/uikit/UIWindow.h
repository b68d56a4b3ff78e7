#pragma once

#include <vector>

#include "host/uikit/UIView.h"

class UIViewController;

// UIWindow: the root of a view tree on the screen. Its root view controller's view fills it.
// Like UIKit at the end of a run loop turn, a window lays out and displays what changed on the
// main run loop's next pass after anything in it asked for layout.
class UIWindow : public UIView {
public:
    static rt::Class* classObject();
    static rt::Ref<UIWindow> create(CGRect frame);
    static const std::vector<UIWindow*>& allWindows();
    static UIWindow* keyWindow();

    UIWindow();
    ~UIWindow() override;

    UIViewController* rootViewController() const { return m_rootViewController.get(); }
    void setRootViewController(rt::Object*);
    void makeKeyAndVisible();
    bool isVisible() const { return m_visible; }

    // Lays out the whole tree and lets layers that asked for display draw (displayLayer:).
    void layoutAndDisplay();
    // Asks for layoutAndDisplay on the main run loop's next pass (once, however often asked).
    void scheduleLayout();

private:
    rt::Ref<UIViewController> m_rootViewController;
    bool m_visible { false };
    bool m_layoutScheduled { false };
};
