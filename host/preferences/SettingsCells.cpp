#include "host/preferences/SettingsCells.h"

#include "host/preferences/PSBadgedTableCell.h"
#include "host/preferences/PSSegmentableSlider.h"
#include "host/preferences/PSSliderTableCell.h"
#include "host/preferences/PSTableCell.h"
#include "host/preferences/PSUIAppleAccountCell.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"

void registerSettingsCellClasses()
{
    rt::defineCppClass<PSTableCell>("VPNTableCell", PSTableCell::classObject());
    PSUIAppleAccountCell::classObject();
    rt::defineCppClass<PSTableCell>("TIInputModeTableCell", PSTableCell::classObject());
    PSBadgedTableCell::classObject();
    PSSegmentableSlider::classObject();
    PSSliderTableCell::classObject();
}
