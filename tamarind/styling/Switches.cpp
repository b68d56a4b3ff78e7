#include "tamarind/styling/Switches.h"

#include "tamarind/core/Colors.h"
#include "tamarind/core/Settings.h"
#include "tamarind/styling/PageKinds.h"

namespace tamarind {

Saved<SwitchImp> originalSwitchDidMoveToWindow;

namespace {

constexpr double kSwitchCornerRadius = 16;

}

// A hidden switch is recoloured too, so it shows the user's colours if anything shows it again.
void switchDidMoveToWindow(rt::Object* toggle, rt::SEL cmd)
{
    originalSwitchDidMoveToWindow(toggle, cmd);
    if (secondPass.isSwitchesEnabled && isOnRootList(toggle))
        rt::send(toggle, SELECTOR("setHidden:"), true);
    if (!secondPass.isCustomSwitchColor)
        return;
    rt::send(toggle, SELECTOR("setOnTintColor:"), pickedColor(ColorOption::colorOnSwitch));
    rt::send(toggle, SELECTOR("setBackgroundColor:"), pickedColor(ColorOption::colorOffSwitch));
    rt::send(rt::send<rt::Object*>(toggle, SELECTOR("layer")), SELECTOR("setCornerRadius:"), kSwitchCornerRadius);
}

}
