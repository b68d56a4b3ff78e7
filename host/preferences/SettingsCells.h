#pragma once

// The cell classes Settings uses for particular rows: the VPN row's cell (VPNTableCell), the
// account row's (PSUIAppleAccountCell) and a keyboard's row in the keyboard list
// (TIInputModeTableCell). They show their row as any
// preference cell does; code that styles cells tells them apart by class.
void registerSettingsCellClasses();
