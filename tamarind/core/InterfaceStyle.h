#pragma once

#include "host/runtime/Runtime.h"
#include "host/uikit/UIKitConstants.h"

namespace tamarind {

// The interface style of a view or view controller, as its trait collection answers it.
inline UIUserInterfaceStyle interfaceStyleOf(rt::Object* viewOrController)
{
    rt::Object* traits = rt::send<rt::Object*>(viewOrController, SELECTOR("traitCollection"));
    return static_cast<UIUserInterfaceStyle>(rt::send<long>(traits, SELECTOR("userInterfaceStyle")));
}

// While the style is still unspecified the library leaves what depends on it as the host drew it.
inline bool isLightOrDark(UIUserInterfaceStyle style)
{
    return style == UIUserInterfaceStyleLight || style == UIUserInterfaceStyleDark;
}

}
