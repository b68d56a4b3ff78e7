#pragma once

#include "host/preferences/SettingsDetailController.h"

// Settings' own pages below the root list whose rows the device describes (device.json's
// "pages", by class name): General, About, Battery, Battery Health, the Bluetooth device list,
// the keyboard list. Each is its own class, as in Settings, so that code which tests a page's
// class finds the one it expects.
class DevicePageController : public SettingsDetailController {
public:
    static rt::Class* classObject();
    // Registers the page classes the device format knows.
    static void registerPageClasses();
};
