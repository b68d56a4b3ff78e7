#include "host/preferences/MCProfileListController.h"

#include <nlohmann/json.hpp>

#include "host/foundation/String.h"
#include "host/platform/Device.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

constexpr long UIAlertControllerStyleActionSheet = 0;

// The waiting profile's name, from the device description ("purgatoryProfile").
std::string waitingProfile()
{
    auto& json = currentDevice().json;
    if (json && json->is_object() && json->contains("purgatoryProfile") && (*json)["purgatoryProfile"].is_string())
        return (*json)["purgatoryProfile"].get<std::string>();
    return "Profile";
}

Object* init(Object* self, SEL)
{
    rt::sendSuper<Object*>(self, MCProfileListController::classObject(), SELECTOR("init"));
    rt::send(self, SELECTOR("setTitle:"), ns("VPN & Device Management"));
    return self;
}

// Offers the waiting profile: a sheet presented over the page, with Install and Cancel.
void showPurgatorySheet(Object* self, SEL)
{
    Class* alertClass = rt::getClass("UIAlertController");
    Class* actionClass = rt::getClass("UIAlertAction");
    Object* sheet = rt::send<Object*>(alertClass, SELECTOR("alertControllerWithTitle:message:preferredStyle:"),
        ns("Install Profile"), ns("\"" + waitingProfile() + "\" was downloaded and is waiting to be installed."),
        UIAlertControllerStyleActionSheet);
    for (auto [title, style] : { std::pair { "Install", 0L }, std::pair { "Cancel", 1L } })
        rt::send(sheet, SELECTOR("addAction:"),
            rt::send<Object*>(actionClass, SELECTOR("actionWithTitle:style:handler:"), ns(title), style,
                static_cast<rt::BlockBase*>(nullptr)));
    rt::send(self, SELECTOR("presentViewController:animated:completion:"), sheet, true,
        static_cast<rt::BlockBase*>(nullptr));
}

}

Class* MCProfileListController::classObject()
{
    static Class* cls = [] {
        auto* c
            = rt::defineCppClass<MCProfileListController>("MCProfileListController", UIViewController::classObject());
        rt::addMethod(c, rt::sel("init"), &init);
        rt::addMethod(c, rt::sel("_showSheetToInstallConfigurationProfileFromPurgatory"), &showPurgatorySheet);
        return c;
    }();
    return cls;
}
