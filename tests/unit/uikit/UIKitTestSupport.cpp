#include "UIKitTestSupport.h"

#include "host/uikit/UIScreen.h"
#include "host/uikit/UIWindow.h"

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
