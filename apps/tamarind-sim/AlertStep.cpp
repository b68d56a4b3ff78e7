#include "AlertStep.h"

#include "Navigator.h"

#include "host/foundation/RunLoop.h"
#include "host/foundation/String.h"
#include "host/preferences/SettingsApp.h"
#include "host/uikit/UIAlertController.h"
#include "host/uikit/UIWindow.h"

namespace {

// A presented controller's view is added on top of the window's subviews, so the last alert
// found from the top is the one a person sees and can press.
UIAlertController* topmostAlert()
{
    auto* window = rt::dynamicCast<UIWindow>(settings::window(), UIWindow::classObject());
    if (!window)
        return nullptr;
    const auto& views = window->subviews();
    for (auto it = views.rbegin(); it != views.rend(); ++it)
        if (auto* alert = rt::dynamicCast<UIAlertController>((*it)->viewController(), UIAlertController::classObject()))
            return alert;
    return nullptr;
}

}

bool pressAlertButton(const std::string& title, std::string& error)
{
    rt::AutoreleasePool pool;
    rt::Ref<UIAlertController> alert(topmostAlert());
    if (!alert) {
        error = "no alert is shown";
        return false;
    }
    if (!alert->chooseAction(title)) {
        error = "the alert \"" + toStdString(alert->alertTitle()) + "\" has no button \"" + title + "\"";
        return false;
    }
    Navigator::settle();
    return true;
}
