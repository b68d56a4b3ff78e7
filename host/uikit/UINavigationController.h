#pragma once

#include <vector>

#include "host/uikit/UIViewController.h"

class UINavigationBar;

// UINavigationController: a stack of pages under a navigation bar. Pushing and popping happen at
// once (no animation), with the appearance messages UIKit sends: the page that leaves hears
// viewWillDisappear:/viewDidDisappear:, the one that comes viewWillAppear:/viewDidAppear:.
class UINavigationController : public UIViewController {
public:
    static rt::Class* classObject();
    static rt::Ref<UINavigationController> create(rt::Object* rootViewController);

    UINavigationBar* navigationBar();
    UIViewController* topViewController() const;
    void pushViewController(rt::Object*, bool animated);
    rt::Object* popViewController(bool animated);
    void setViewControllers(rt::Object* array, bool animated);

    // Lays out the bar and the top page inside the controller's view.
    void layoutContainer();
    // The bottom edge of the bar in window coordinates (the status bar's when the bar is hidden).
    double visibleBarBottom() const;

    bool isNavigationBarHidden() const { return m_navigationBarHidden; }
    void setNavigationBarHidden(bool hidden, bool animated);

private:
    void showTop(UIViewController* leaving, bool animated);
    void syncBarItems();

    rt::Ref<UINavigationBar> m_navigationBar;
    bool m_navigationBarHidden { false };
};
