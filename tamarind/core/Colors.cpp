#include "tamarind/core/Colors.h"

#include "host/foundation/String.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/PreferencesDomain.h"

namespace tamarind {

namespace {

HostClass colorPicker("GcColorPickerUtils");
HostClass imagePicker("GcImagePickerUtils");

const char* fallbackFor(const ColorInfo& color, ColorUse use)
{
    if (use == ColorUse::AccountRow && color.accountRowFallback)
        return color.accountRowFallback;
    return color.fallback;
}

}

rt::Object* pickedColor(ColorOption option, ColorUse use)
{
    const ColorInfo& color = colorInfo(option);
    return rt::send<rt::Object*>(colorPicker.get(), SELECTOR("colorFromDefaults:withKey:fallback:"), ns(kDomain),
        ns(color.key), ns(fallbackFor(color, use)));
}

rt::Object* pickedImage(PictureOption option)
{
    return rt::send<rt::Object*>(
        imagePicker.get(), SELECTOR("imageFromDefaults:withKey:"), ns(kDomain), ns(pictureInfo(option).key));
}

rt::Object* pickedData(PictureOption option)
{
    return rt::send<rt::Object*>(
        imagePicker.get(), SELECTOR("dataFromDefaults:withKey:"), ns(kDomain), ns(pictureInfo(option).key));
}

}
