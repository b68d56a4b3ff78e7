#include "tamarind/rootpage/NavigationBarColors.h"

#include "host/foundation/String.h"
#include "host/uikit/UIKitConstants.h"
#include "tamarind/core/Colors.h"
#include "tamarind/core/InterfaceStyle.h"
#include "tamarind/core/Settings.h"

namespace tamarind {

Saved<BarTraitChangeImp> originalNavigationBarTraitCollectionDidChange;
Saved<BarUpdateImp> originalNavigationBarUpdatePrompt;

namespace {

void updateColorsFirst(rt::Object* bar)
{
    if (firstPass.isCustomNavBarColor)
        rt::send(bar, SELECTOR("updateColors"));
}

// The title colour joins whatever else the appearance's title attributes hold (a font, say).
void setTitleColor(rt::Object* appearance)
{
    rt::Object* color = pickedColor(ColorOption::colorNavbarText);
    if (!color)
        return;
    rt::Object* current = rt::send<rt::Object*>(appearance, SELECTOR("titleTextAttributes"));
    rt::Object* attributes = current
        ? rt::autorelease(rt::send<rt::Object*>(current, SELECTOR("mutableCopy")))
        : rt::send<rt::Object*>(rt::getClass("NSMutableDictionary"), SELECTOR("dictionary"));
    rt::send(attributes, SELECTOR("setObject:forKey:"), color, ns(NSForegroundColorAttributeName));
    rt::send(appearance, SELECTOR("setTitleTextAttributes:"), attributes);
}

}

void navigationBarTraitCollectionDidChange(rt::Object* self, rt::SEL cmd, rt::Object* previous)
{
    updateColorsFirst(self);
    originalNavigationBarTraitCollectionDidChange(self, cmd, previous);
}

void navigationBarUpdatePrompt(rt::Object* self, rt::SEL cmd)
{
    updateColorsFirst(self);
    originalNavigationBarUpdatePrompt(self, cmd);
}

void navigationBarUpdateColors(rt::Object* self, rt::SEL)
{
    if (!firstPass.isCustomNavBarColor)
        return;
    rt::Object* appearance = rt::send<rt::Object*>(self, SELECTOR("standardAppearance"));
    setTitleColor(appearance);
    if (!rt::respondsTo(self, rt::sel("barTintColor")))
        return;
    UIUserInterfaceStyle style = interfaceStyleOf(self);
    if (isLightOrDark(style))
        rt::send(appearance, SELECTOR("setBackgroundColor:"),
            pickedColor(
                style == UIUserInterfaceStyleLight ? ColorOption::colorNavbarLight : ColorOption::colorNavbarDark));
}

}
