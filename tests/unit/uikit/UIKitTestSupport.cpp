#include "UIKitTestSupport.h"

#include "host/foundation/String.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UIViewController.h"
#include "host/uikit/UIWindow.h"

using rt::Object;
using rt::SEL;

namespace {

std::string titleOf(Object* self)
{
    return toStdString(rt::send<Object*>(self, SELECTOR("title")));
}

rt::Class* lifecycleClass()
{
    static rt::Class* cls
        = rt::ClassBuilder("TestLifecyclePage", UIViewController::classObject())
              .method(
                  "viewDidLoad", +[](Object* s, SEL) { messageLog().push_back(titleOf(s) + " load"); })
              .method(
                  "viewWillAppear:", +[](Object* s, SEL, bool) { messageLog().push_back(titleOf(s) + " willAppear"); })
              .method(
                  "viewDidAppear:", +[](Object* s, SEL, bool) { messageLog().push_back(titleOf(s) + " didAppear"); })
              .method(
                  "viewWillDisappear:",
                  +[](Object* s, SEL, bool) { messageLog().push_back(titleOf(s) + " willDisappear"); })
              .method(
                  "viewDidDisappear:",
                  +[](Object* s, SEL, bool) { messageLog().push_back(titleOf(s) + " didDisappear"); })
              .registerClass();
    return cls;
}

}

rt::Ref<UIWindow> makeWindow(long style)
{
    auto window = UIWindow::create(UIScreen::mainScreen()->bounds());
    window->setOverrideUserInterfaceStyle(style);
    window->makeKeyAndVisible();
    return window;
}

rt::Ref<UIView> makeView(CGRect frame)
{
    return UIView::create(UIView::classObject(), frame);
}

std::vector<std::string>& messageLog()
{
    static std::vector<std::string> log;
    return log;
}

rt::Ref<UIViewController> lifecyclePage(const char* title)
{
    auto controller = UIViewController::create(lifecycleClass());
    controller->setTitle(ns(title));
    return controller;
}
