#include "host/uikit/UIScreen.h"

#include "host/foundation/String.h"
#include "host/platform/Device.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UITraitCollection.h"
#include "host/uikit/UIWindow.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

const DeviceDescription& device()
{
    static const DeviceDescription fallback;
    return hasCurrentDevice() ? currentDevice() : fallback;
}

void registerScreenMethods(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("mainScreen"), +[](Class*, SEL) -> Object* { return UIScreen::mainScreen(); });
    bind<&UIScreen::bounds>(c, "bounds");
    bind<&UIScreen::bounds>(c, "nativeBounds");
    bind<&UIScreen::scale>(c, "scale");
    bind<&UIScreen::scale>(c, "nativeScale");
    addMethod(
        c, sel("traitCollection"),
        +[](Object* s, SEL) -> Object* { return UITraitCollection::forStyle(static_cast<UIScreen*>(s)->m_style); });
}

void registerDeviceMethods(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("currentDevice"), +[](Class*, SEL) -> Object* { return UIDevice::currentDevice(); });
    addMethod(
        c, sel("name"), +[](Object*, SEL) -> Object* { return ns(device().name); });
    addMethod(
        c, sel("model"), +[](Object*, SEL) -> Object* { return ns(device().model); });
    addMethod(
        c, sel("localizedModel"), +[](Object*, SEL) -> Object* { return ns(device().model); });
    addMethod(
        c, sel("systemVersion"), +[](Object*, SEL) -> Object* { return ns(device().systemVersion); });
    addMethod(
        c, sel("systemName"),
        +[](Object*, SEL) -> Object* { return ns(UIScreen::deviceIdiom() == 1 ? "iPadOS" : "iOS"); });
    addMethod(
        c, sel("userInterfaceIdiom"), +[](Object*, SEL) { return UIScreen::deviceIdiom(); });
}

}

Class* UIScreen::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIScreen>("UIScreen", rt::rootClass());
        registerScreenMethods(c);
        return c;
    }();
    return cls;
}

UIScreen* UIScreen::mainScreen()
{
    static UIScreen* screen = [] {
        auto* s = static_cast<UIScreen*>(classObject()->allocate());
        s->makeImmortal();
        s->reloadFromDevice();
        return s;
    }();
    return screen;
}

long UIScreen::deviceIdiom()
{
    return device().idiom == "pad" ? 1 : 0;
}

void UIScreen::reloadFromDevice()
{
    const DeviceDescription& d = device();
    m_bounds = CGRectMake(0, 0, d.screenWidth > 0 ? d.screenWidth : 390, d.screenHeight > 0 ? d.screenHeight : 844);
    m_scale = d.screenScale > 0 ? d.screenScale : 3;
    setUserInterfaceStyle(d.interfaceStyle == "dark" ? 2 : 1);
}

void UIScreen::setUserInterfaceStyle(long style)
{
    style = style == 2 ? 2 : 1;
    if (style == m_style)
        return;
    m_style = style;
    for (UIWindow* window : UIWindow::allWindows())
        window->propagateTraitChanges();
}

Class* UIDevice::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIDevice>("UIDevice", rt::rootClass());
        registerDeviceMethods(c);
        return c;
    }();
    return cls;
}

UIDevice* UIDevice::currentDevice()
{
    static UIDevice* d = [] {
        auto* obj = static_cast<UIDevice*>(classObject()->allocate());
        obj->makeImmortal();
        return obj;
    }();
    return d;
}
