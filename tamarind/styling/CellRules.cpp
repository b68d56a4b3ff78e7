#include "tamarind/styling/CellRules.h"

#include <string_view>

#include "host/foundation/String.h"
#include "tamarind/core/Colors.h"
#include "tamarind/core/InterfaceStyle.h"
#include "tamarind/core/Settings.h"

namespace tamarind {

namespace {

constexpr const char* kExemptClasses[] = { "LaetusFooterCell", "AionFooterCell", "JuiceFooterCell",
    "KaleidoscopeFooterCell", "AUXFooterCell", "SnowboardFooterCell", "TDHeaderCell" };

rt::Object* layerOf(rt::Object* view)
{
    return rt::send<rt::Object*>(view, SELECTOR("layer"));
}

}

bool isExemptCell(rt::Object* cell)
{
    for (const char* name : kExemptClasses)
        if (rt::isKindOf(cell, rt::getClass(name)))
            return true;
    return false;
}

rt::Object* cellIvar(rt::Object* cell, const char* name)
{
    return rt::getIvarObject(cell, rt::getInstanceVariable(cell->isa(), name));
}

rt::Object* owningController(rt::Object* view)
{
    return rt::send<rt::Object*>(view, SELECTOR("_viewControllerForAncestor"));
}

void recordBackgroundName(rt::Object* cell)
{
    rt::Object* background = rt::send<rt::Object*>(cell, SELECTOR("backgroundColor"));
    rt::Object* name = background ? rt::send<rt::Object*>(background, SELECTOR("_systemColorName"))
                                  : static_cast<rt::Object*>(ns(kGroupedBackgroundName));
    rt::send(cell, SELECTOR("setOrigSystemColor:"), name);
}

void paintTableColor(rt::Object* cell)
{
    rt::Object* color = interfaceStyleOf(cell) == UIUserInterfaceStyleDark
        ? pickedColor(ColorOption::colorBackgroundTableDark)
        : pickedColor(ColorOption::colorBackgroundTableLight);
    rt::send(cell, SELECTOR("setBackgroundColor:"), color);
}

void applyTableColorRule(rt::Object* cell)
{
    if (!secondPass.isCustomTableViewColor || isExemptCell(cell))
        return;
    rt::Object* recorded = rt::send<rt::Object*>(cell, SELECTOR("origSystemColor"));
    if (isString(recorded) && toStdString(recorded) == kGroupedBackgroundName)
        paintTableColor(cell);
}

void applyBorderRule(rt::Object* cell)
{
    if (!secondPass.isCustomBorderColor || isExemptCell(cell))
        return;
    rt::Object* layer = layerOf(cell);
    rt::Object* color = pickedColor(ColorOption::colorBorder);
    rt::send(layer, SELECTOR("setBorderColor:"), rt::send<rt::Object*>(color, SELECTOR("CGColor")));
    rt::send(layer, SELECTOR("setBorderWidth:"), static_cast<double>(secondPass.borderWidthValue));
}

void applyIconRounding(rt::Object* cell)
{
    if (!secondPass.isCircleIcons)
        return;
    rt::Object* icon = rt::send<rt::Object*>(cell, SELECTOR("iconImageView"));
    rt::send(layerOf(icon), SELECTOR("setCornerRadius:"), static_cast<double>(secondPass.circleIconValue));
    rt::send(icon, SELECTOR("setClipsToBounds:"), true);
}

void applyCornerRounding(rt::Object* cell)
{
    rt::send(layerOf(cell), SELECTOR("setCornerRadius:"), static_cast<double>(secondPass.roundCornersCustomize));
}

}
