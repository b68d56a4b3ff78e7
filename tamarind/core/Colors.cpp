#include "tamarind/core/Colors.h"

#include "host/foundation/String.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/Settings.h"

namespace tamarind {

namespace {

HostClass colorPicker("GcColorPickerUtils");
HostClass imagePicker("GcImagePickerUtils");

}

rt::Object* pickedColor(const char* key, const char* fallbackHex)
{
    return rt::send<rt::Object*>(
        colorPicker.get(), SELECTOR("colorFromDefaults:withKey:fallback:"), ns(kDomain), ns(key), ns(fallbackHex));
}

rt::Object* pickedImage(const char* key)
{
    return rt::send<rt::Object*>(imagePicker.get(), SELECTOR("imageFromDefaults:withKey:"), ns(kDomain), ns(key));
}

rt::Object* pickedData(const char* key)
{
    return rt::send<rt::Object*>(imagePicker.get(), SELECTOR("dataFromDefaults:withKey:"), ns(kDomain), ns(key));
}

}
