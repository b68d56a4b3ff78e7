#include "AlertDump.h"

#include "SimSupport.h"
#include "host/foundation/String.h"
#include "host/preferences/SettingsApp.h"
#include "host/uikit/UIAlertController.h"
#include "host/uikit/UIBarButtonItem.h"
#include "host/uikit/UITextField.h"
#include "host/uikit/UIToolbar.h"

using nlohmann::json;

namespace {

// The titles of an accessory bar's items; a flexible space reads as "flexible-space".
json accessoryItems(rt::Object* accessory)
{
    auto* bar = rt::dynamicCast<UIToolbar>(accessory, UIToolbar::classObject());
    if (!bar)
        return nullptr;
    json items = json::array();
    for (auto& entry : bar->items()) {
        auto* item = static_cast<UIBarButtonItem*>(entry.get());
        items.push_back(item->systemItem() == UIBarButtonItem::kFlexibleSpace ? json("flexible-space") : optionalText(item->title()));
    }
    return { { "barStyle", bar->barStyle() }, { "items", items } };
}

json textFieldOf(UITextField* field)
{
    return { { "text", optionalText(field->textObject()) }, { "placeholder", optionalText(field->placeholder()) },
        { "keyboardType", field->keyboardType() }, { "focused", UITextField::focused() == field },
        { "accessory", accessoryItems(field->inputAccessoryView()) } };
}

}

UIAlertController* presentedAlert()
{
    // On an iPad the root list presents from its own column while a page shows beside it.
    for (rt::Object* base : { settings::topPage(), settings::navigationController(), settings::rootPage(),
             settings::rootNavigationController(), settings::splitViewController() }) {
        auto* controller = rt::dynamicCast<UIViewController>(base, UIViewController::classObject());
        for (; controller; controller = controller->presentedViewController())
            if (auto* alert = rt::dynamicCast<UIAlertController>(controller, UIAlertController::classObject()))
                return alert;
    }
    return nullptr;
}

json dumpAlert()
{
    UIAlertController* alert = presentedAlert();
    if (!alert)
        return nullptr;
    json fields = json::array();
    for (auto& field : alert->textFields())
        fields.push_back(textFieldOf(field.get()));
    json actions = json::array();
    for (auto& action : alert->actions())
        actions.push_back({ { "title", optionalText(action->title()) }, { "style", action->style() } });
    return { { "title", optionalText(alert->alertTitle()) }, { "message", optionalText(alert->message()) },
        { "style", alert->preferredStyle() }, { "textFields", fields }, { "actions", actions } };
}
