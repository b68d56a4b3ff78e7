#include "host/preferences/SettingsCells.h"

#include "host/preferences/PSTableCell.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"

void registerSettingsCellClasses()
{
    rt::defineCppClass<PSTableCell>("VPNTableCell", PSTableCell::classObject());
    rt::defineCppClass<PSTableCell>("PSUIAppleAccountCell", PSTableCell::classObject());
    rt::defineCppClass<PSTableCell>("TIInputModeTableCell", PSTableCell::classObject());
}
