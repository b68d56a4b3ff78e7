#pragma once

#include <vector>

#include "host/uikit/UINavigationItem.h"
#include "host/uikit/UIResponder.h"

class UINavigationController;
class UINavigationItem;
class UIView;

// UIViewController: owns a view, loaded on first use (loadView, then viewDidLoad), and hears of
// its appearance and layout. Every lifecycle step is a message, so subclasses (the Settings
// pages) and replacements see them where UIKit sends them.
class UIViewController : public UIResponder {
public:
    static rt::Class* classObject();
    // alloc + init by message.
    static rt::Ref<UIViewController> create(rt::Class*);

    ~UIViewController() override;

    // The view, loaded on demand through loadView/viewDidLoad.
    UIView* view();
    bool isViewLoaded() const { return m_view; }
    void setView(rt::Object*);
    UINavigationItem* navigationItem();
    rt::Object* title() const { return m_title.get(); }
    void setTitle(rt::Object*);

    UIViewController* parentViewController() const { return m_parent; }
    UINavigationController* navigationController() const;
    const std::vector<rt::Ref<UIViewController>>& childViewControllers() const { return m_children; }
    void addChildViewController(rt::Object*);
    void removeFromParentViewController();

    UIViewController* presentedViewController() const { return m_presented.get(); }
    void presentViewController(rt::Object*, bool animated, rt::Object* completion);
    void dismissViewController(bool animated, rt::Object* completion);

    enum class Appearance { WillAppear, DidAppear, WillDisappear, DidDisappear };
    // Sends viewWillAppear: and its three siblings; a controller that is already in the state
    // hears nothing, as in UIKit.
    void sendAppearance(Appearance, bool animated);
    bool isVisible() const { return m_appearance == Appearance::DidAppear || m_appearance == Appearance::WillAppear; }

    long effectiveUserInterfaceStyle() const;
    // 0 (unspecified) when the controller follows its view's surroundings.
    long overrideUserInterfaceStyle() const { return m_overrideStyle; }
    void setOverrideUserInterfaceStyle(long);
    // Sends traitCollectionDidChange: when the style differs from the one last reported.
    void traitStyleMayHaveChanged(long style, rt::Object* previous);

    UIResponder* nextResponder() const override;

private:
    void loadViewIfNeeded();

    long m_overrideStyle { 0 };

    rt::Ref<UIView> m_view;
    rt::Ref<UINavigationItem> m_navigationItem;
    rt::Ref<rt::Object> m_title;
    UIViewController* m_parent { nullptr };
    std::vector<rt::Ref<UIViewController>> m_children;
    rt::Ref<UIViewController> m_presented;
    UIViewController* m_presenting { nullptr };
    Appearance m_appearance { Appearance::DidDisappear };
    long m_reportedStyle { 0 };
    bool m_loading { false };
};

bool isViewController(rt::Object*);
