#include "tamarind/styling/PageValues.h"

#include "host/foundation/String.h"
#include "tamarind/core/RowIdentifiers.h"
#include "tamarind/core/Settings.h"

namespace tamarind {

namespace {

struct AboutReplacement {
    const char* identifier;
    bool SecondPassSettings::*enabled;
    rt::Object* SecondPassSettings::*value;
};

// In the order of testing; the first match wins.
constexpr AboutReplacement kAboutReplacements[] = {
    { "ProductVersion", &SecondPassSettings::isSoftwareVersionSpoofingEnabled,
        &SecondPassSettings::customSoftwareVersionValue },
    { "ProductModelName", &SecondPassSettings::isModelNameSpoofingEnabled, &SecondPassSettings::customModelNameValue },
    { "ProductModel", &SecondPassSettings::isModelNumberSpoofingEnabled, &SecondPassSettings::customModelNumberValue },
    { "SerialNumber", &SecondPassSettings::isSerialNumberSpoofingEnabled,
        &SecondPassSettings::customSerialNumberValue },
};

// An unset replacement empties the value: the switch says the real value must not show.
void showValue(rt::Object* label, rt::Object* text)
{
    rt::send(label, SELECTOR("setText:"), text);
}

}

void replaceAboutValue(std::string_view identifier, rt::Object* value)
{
    for (const auto& r : kAboutReplacements) {
        if (secondPass.*r.enabled && identifier == r.identifier) {
            showValue(value, secondPass.*r.value);
            return;
        }
    }
}

void replaceBatteryValue(std::string_view identifier, rt::Object* value)
{
    if (secondPass.isBatterySpoofingEnabled && identifier == "Maximum Capacity")
        showValue(value, secondPass.customBatterySpoofingValue);
}

void adjustModuleRow(std::string_view identifier, rt::Object* title, rt::Object* value)
{
    if (identifier == rowid::ExposureNotifications)
        rt::send(title, SELECTOR("setText:"), ns(rowid::ExposureNotifications));
    if (secondPass.isDetailLabelEnabled)
        rt::send(value, SELECTOR("setHidden:"), true);
}

}
