#include "tamarind/styling/CellStyling.h"

#include <string_view>

#include "host/foundation/String.h"
#include "host/platform/Availability.h"
#include "tamarind/core/Colors.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/RowIdentifiers.h"
#include "tamarind/core/Rows.h"
#include "tamarind/core/Settings.h"
#include "tamarind/styling/CellRules.h"
#include "tamarind/styling/RowLayout.h"

namespace tamarind {

Saved<CellImp> originalCellDidMoveToWindow;
Saved<CellImp> originalCellDidMoveToSuperview;
Saved<CellObjectImp> originalCellRefreshContents;
Saved<CellImp> originalCellLayoutSubviews;
Saved<CellObjectImp> originalCellTraitCollectionDidChange;
Saved<CellFlagsImp> originalCellSetSelected;
Saved<CellFlagsImp> originalCellSetHighlighted;
Saved<CellImp> originalAnyCellDidMoveToSuperview;

namespace {

HostClass devicesPageClass("BTSDevicesController");
HostClass inputModeCellClass("TIInputModeTableCell");
HostClass vpnCellClass("VPNTableCell");
HostClass accountLoginCellClass("PSUIAppleAccountLoginCell");

constexpr long kNoAccessory = 0;

// The root rows whose value the subtitle shows instead; their value label is made invisible
// while it keeps its place.
constexpr const char* kSubtitleValueRows[]
    = { rowid::WiFi, rowid::Bluetooth, rowid::MobileData, rowid::PersonalHotspot, rowid::VPN };

rt::Object* specifierOf(rt::Object* cell)
{
    return rt::send<rt::Object*>(cell, SELECTOR("specifier"));
}

// The loadSubtitle, setIPAddress and setDiskUsage operations, each deciding by itself from the
// row and its page whether it does anything.
void subtitlePass(rt::Object* cell)
{
    rt::send(cell, SELECTOR("loadSubtitle"));
    if (secondPass.isIPForWifiCellEnabled)
        rt::send(cell, SELECTOR("setIPAddress"));
    if (secondPass.isAmountOfStorageForGeneralEnabled)
        rt::send(cell, SELECTOR("setDiskUsage"));
}

// Switches, device lists and input modes keep the accessory they explain themselves with.
void applyAccessoryRule(rt::Object* cell)
{
    if (secondPass.isArrowAccessory)
        return;
    if (rt::isKindOf(owningController(cell), devicesPageClass.get()) || rt::isKindOf(cell, inputModeCellClass.get())
        || rt::isKindOf(cell, vpnCellClass.get()))
        return;
    rt::send(cell, SELECTOR("setAccessoryType:"), kNoAccessory);
}

bool showsSubtitleInstead(std::string_view identifier)
{
    for (const char* id : kSubtitleValueRows)
        if (identifier == id)
            return true;
    return false;
}

void styleRootRowLabels(rt::Object* cell)
{
    rt::Object* subtitle = rt::send<rt::Object*>(cell, SELECTOR("customDetailLabel"));
    rt::Object* color = secondPass.isCustomLabelColor
        ? pickedColor(ColorOption::colorBottomLabel)
        : rt::send<rt::Object*>(rt::getClass("UIColor"), SELECTOR("secondaryLabelColor"));
    rt::send(subtitle, SELECTOR("setTextColor:"), color);
    fitRowSubtitle(cell, subtitle);
    if (secondPass.tableViewLabelsEnabled && secondPass.isTableIconsEnabled
        && showsSubtitleInstead(identifierView(specifierOf(cell))))
        rt::send(cellIvar(cell, "_detailTextLabel"), SELECTOR("setTextColor:"),
            rt::send<rt::Object*>(rt::getClass("UIColor"), SELECTOR("clearColor")));
    if (!rt::isKindOf(cell, accountCellClass.get()) && !rt::isKindOf(cell, accountLoginCellClass.get()))
        applyIconRounding(cell);
}

}

void cellDidMoveToWindow(rt::Object* cell, rt::SEL cmd)
{
    originalCellDidMoveToWindow(cell, cmd);
    recordBackgroundName(cell);
}

void cellDidMoveToSuperview(rt::Object* cell, rt::SEL cmd)
{
    originalCellDidMoveToSuperview(cell, cmd);
    recordBackgroundName(cell);
    // @available(iOS 15.0, *): before iOS 15 a preference cell draws no border of its own.
    if (isOSVersionAtLeast(15, 0, 0))
        applyBorderRule(cell);
    subtitlePass(cell);
}

void cellRefreshContents(rt::Object* cell, rt::SEL cmd, rt::Object* specifier)
{
    originalCellRefreshContents(cell, cmd, specifier);
    recordBackgroundName(cell);
    applyTableColorRule(cell);
    subtitlePass(cell);
}

void cellLayoutSubviews(rt::Object* cell, rt::SEL cmd)
{
    originalCellLayoutSubviews(cell, cmd);
    recordBackgroundName(cell);
    applyAccessoryRule(cell);
    rt::Object* controller = owningController(cell);
    if (controller && rt::isKindOf(controller, rootPageClass.get()))
        styleRootRowLabels(cell);
    applyCornerRounding(cell);
}

// Switches a recoloured cell between its dark and light colour. A plain colour that the library
// set earlier has no system name, so it counts as the standard background here; the exempt list
// and the recorded name are deliberately not consulted.
void cellTraitCollectionDidChange(rt::Object* cell, rt::SEL cmd, rt::Object* previous)
{
    originalCellTraitCollectionDidChange(cell, cmd, previous);
    if (secondPass.isCustomTableViewColor) {
        rt::Object* background = rt::send<rt::Object*>(cell, SELECTOR("backgroundColor"));
        rt::Object* name = rt::send<rt::Object*>(background, SELECTOR("_systemColorName"));
        if (!isString(name) || toStdString(name) == kGroupedBackgroundName)
            paintTableColor(cell);
    }
    applyCornerRounding(cell);
}

// While "disableSelectedBackground" is off no row shows the selection background: the host
// always hears "not selected". The setting's name reads the other way round; the behaviour
// follows what users of the pane have always seen.
void cellSetSelected(rt::Object* cell, rt::SEL cmd, bool selected, bool animated)
{
    if (!secondPass.disableSelectedBackground)
        return originalCellSetSelected(cell, cmd, false, false);
    originalCellSetSelected(cell, cmd, selected, animated);
}

void cellSetHighlighted(rt::Object* cell, rt::SEL cmd, bool highlighted, bool animated)
{
    if (!secondPass.disableSelectedBackground)
        return originalCellSetHighlighted(cell, cmd, false, false);
    originalCellSetHighlighted(cell, cmd, highlighted, animated);
}

void anyCellDidMoveToSuperview(rt::Object* cell, rt::SEL cmd)
{
    originalAnyCellDidMoveToSuperview(cell, cmd);
    applyBorderRule(cell);
}

}
