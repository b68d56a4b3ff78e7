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
        c, sel("traitCollection"), +[](Object* s, SEL) -> Object* {
            return UITraitCollection::forStyle(static_cast<UIScreen*>(s)->userInterfaceStyle());
        });
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
