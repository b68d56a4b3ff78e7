#include "tamarind/styling/AccessoryTint.h"

#include "tamarind/core/Colors.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/Rows.h"
#include "tamarind/core/Settings.h"

namespace tamarind {

Saved<AccessoryImp> originalAccessoryButtonLayoutSubviews;

namespace {

constexpr long kTemplateRendering = 2;

}

void accessoryButtonLayoutSubviews(rt::Object* button, rt::SEL cmd)
{
    originalAccessoryButtonLayoutSubviews(button, cmd);
    if (!secondPass.isCustomAccessoryColorEnabled)
        return;
    rt::Object* subviews = rt::send<rt::Object*>(button, SELECTOR("subviews"));
    for (unsigned long i = 0, n = countOf(subviews); i < n; ++i) {
        rt::Object* view = objectAt(subviews, i);
        if (!rt::isKindOf(view, imageViewClass.get()))
            continue;
        rt::Object* image = rt::send<rt::Object*>(view, SELECTOR("image"));
        rt::send(view, SELECTOR("setImage:"),
            rt::send<rt::Object*>(image, SELECTOR("imageWithRenderingMode:"), kTemplateRendering));
        rt::send(view, SELECTOR("setTintColor:"), pickedColor(ColorOption::colorAccessory));
    }
}

}
