#include "ControlSteps.h"

#include "Navigator.h"
#include "RootControlsDump.h"

#include "host/foundation/NotificationCenter.h"
#include "host/foundation/NotificationNames.h"
#include "host/foundation/RunLoop.h"
#include "host/foundation/String.h"
#include "host/preferences/PSUIPrefsListController.h"
#include "host/preferences/SettingsApp.h"
#include "host/uikit/UIButton.h"
#include "host/uikit/UIMenu.h"
#include "host/uikit/UIWindow.h"

namespace {

// The button in the window's tree whose tap opened a menu nobody chose from yet.
UIButton* buttonWithOpenMenu(UIView* view)
{
    if (auto* button = rt::dynamicCast<UIButton>(view, UIButton::classObject()); button && button->openMenu())
        return button;
    for (auto& child : view->subviews())
        if (UIButton* found = buttonWithOpenMenu(child.get()))
            return found;
    return nullptr;
}

}

bool tapRootButton(const std::string& which, std::string& error)
{
    rt::AutoreleasePool pool;
    rt::Object* page = settings::topPage();
    if (!rt::isKindOf(page, PSUIPrefsListController::classObject())) {
        error = "the page on top is not the root page";
        return false;
    }
    UIButton* button = which == "account" ? floatingButton(page, "openAccountCell:")
        : which == "search"               ? floatingButton(page, "toggleSearch:")
        : which == "menu"                 ? topMenuButton(page)
                                          : nullptr;
    if (which != "account" && which != "search" && which != "menu") {
        error = "button expects account, search or menu";
        return false;
    }
    if (!button) {
        error = "the root page shows no " + which + " button";
        return false;
    }
    rt::Ref<UIButton> keep(button);
    button->simulateTap();
    Navigator::settle();
    return true;
}

bool chooseMenuEntry(const std::string& title, std::string& error)
{
    rt::AutoreleasePool pool;
    auto* window = rt::dynamicCast<UIWindow>(settings::window(), UIWindow::classObject());
    rt::Ref<UIButton> button(window ? buttonWithOpenMenu(window) : nullptr);
    if (!button) {
        error = "no menu is open";
        return false;
    }
    auto* menu = rt::dynamicCast<UIMenu>(button->openMenu(), UIMenu::classObject());
    for (auto& child : menu ? menu->children() : std::vector<rt::Ref<rt::Object>> {}) {
        auto* action = rt::dynamicCast<UIAction>(child.get(), UIAction::classObject());
        if (!action || toStdString(action->title()) != title)
            continue;
        // Choosing an entry closes the menu before its handler runs, as UIKit does.
        rt::Ref<UIAction> chosen(action);
        button->closeMenu();
        chosen->perform();
        Navigator::settle();
        return true;
    }
    error = "the open menu has no entry \"" + title + "\"";
    return false;
}

bool moveKeyboard(const std::string& showOrHide, std::string& error)
{
    if (showOrHide != "show" && showOrHide != "hide") {
        error = "keyboard expects show or hide";
        return false;
    }
    rt::AutoreleasePool pool;
    NotificationCenter::defaultCenter().post(
        showOrHide == "show" ? UIKeyboardDidShowNotification : "UIKeyboardDidHideNotification");
    Navigator::settle();
    return true;
}
