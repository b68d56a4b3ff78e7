#include "host/uikit/UIApplication.h"

#include "host/foundation/Array.h"
#include "host/uikit/StatusBar.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UIWindow.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UIApplication* app(Object* o)
{
    return static_cast<UIApplication*>(o);
}

void registerUIApplicationMethods(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("sharedApplication"), +[](Class*, SEL) -> Object* { return UIApplication::sharedApplication(); });
    addMethod(
        c, sel("statusBarFrame"),
        +[](Object*, SEL) { return CGRectMake(0, 0, UIScreen::mainScreen()->bounds().width(), statusBarHeight()); });
    addMethod(
        c, sel("applicationIconBadgeNumber"), +[](Object* s, SEL) { return app(s)->m_badgeNumber; });
    addMethod(
        c, sel("setApplicationIconBadgeNumber:"), +[](Object* s, SEL, long n) { app(s)->m_badgeNumber = n; });
    addMethod(
        c, sel("applicationState"), +[](Object* s, SEL) { return app(s)->m_state; });
    addMethod(
        c, sel("keyWindow"), +[](Object*, SEL) -> Object* { return UIWindow::keyWindow(); });
    addMethod(
        c, sel("windows"), +[](Object*, SEL) -> Object* {
            std::vector<Ref<Object>> items(UIWindow::allWindows().begin(), UIWindow::allWindows().end());
            return autorelease(NSArray::create(std::move(items)));
        });
    addMethod(
        c, sel("delegate"), +[](Object* s, SEL) -> Object* { return autorelease(app(s)->m_delegate.load().leak()); });
    addMethod(
        c, sel("setDelegate:"), +[](Object* s, SEL, Object* d) { app(s)->m_delegate = d; });
    // The simulated device opens no other apps: the completion hears that nothing opened.
    addMethod(
        c, sel("openURL:options:completionHandler:"),
        +[](Object*, SEL, Object*, Object*, BlockBase* done) { callBlock<void(bool)>(done, false); });
    addMethod(
        c, sel("canOpenURL:"), +[](Object*, SEL, Object*) { return false; });
}

}

Class* UIApplication::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIApplication>("UIApplication", UIResponder::classObject());
        registerUIApplicationMethods(c);
        return c;
    }();
    return cls;
}

UIApplication* UIApplication::sharedApplication()
{
    static UIApplication* shared = [] {
        auto* a = static_cast<UIApplication*>(classObject()->allocate());
        a->makeImmortal();
        return a;
    }();
    return shared;
}
