#include "host/uikit/UIApplication.h"

#include "host/foundation/Array.h"
#include "host/runtime/Bind.h"
#include "host/uikit/StatusBar.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UIWindow.h"

using rt::Class;
using rt::Object;
using rt::SEL;

Class* UIApplication::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIApplication>("UIApplication", UIResponder::classObject());
        registerMethods(c);
        return c;
    }();
    return cls;
}

void UIApplication::registerMethods(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("sharedApplication"), +[](Class*, SEL) -> Object* { return UIApplication::sharedApplication(); });
    addMethod(
        c, sel("statusBarFrame"),
        +[](Object*, SEL) { return CGRectMake(0, 0, UIScreen::mainScreen()->bounds().width(), statusBarHeight()); });
    bindProperty<&UIApplication::m_badgeNumber>(c, "applicationIconBadgeNumber");
    bindReadOnlyProperty<&UIApplication::m_state>(c, "applicationState");
    addMethod(
        c, sel("keyWindow"), +[](Object*, SEL) -> Object* { return UIWindow::keyWindow(); });
    addMethod(
        c, sel("windows"), +[](Object*, SEL) -> Object* {
            std::vector<Ref<Object>> items(UIWindow::allWindows().begin(), UIWindow::allWindows().end());
            return autorelease(NSArray::create(std::move(items)));
        });
    bindProperty<&UIApplication::m_delegate>(c, "delegate");
    // The simulated device opens no other apps: the completion hears that nothing opened.
    addMethod(
        c, sel("openURL:options:completionHandler:"),
        +[](Object*, SEL, Object*, Object*, BlockBase* done) { callBlock<void(bool)>(done, false); });
    addMethod(
        c, sel("canOpenURL:"), +[](Object*, SEL, Object*) { return false; });
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
