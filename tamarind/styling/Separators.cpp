#include "tamarind/styling/Separators.h"

#include "tamarind/core/Settings.h"

namespace tamarind {

Saved<SeparatorImp> originalSeparatorDidMoveToWindow;

void separatorDidMoveToWindow(rt::Object* separator, rt::SEL cmd)
{
    originalSeparatorDidMoveToWindow(separator, cmd);
    if (secondPass.isSeperatorsDisabled)
        rt::send(separator, SELECTOR("removeFromSuperview"));
}

}
