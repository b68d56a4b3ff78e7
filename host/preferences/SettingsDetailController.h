#pragma once

#include "host/preferences/PSListController.h"

// The page a stock Settings row opens (Wallpaper, Wi-Fi, …). The simulated device has no content
// for these pages, so the page shows the row's title over an empty list; it exists so that taps
// go where they would on a device.
class SettingsDetailController : public PSListController {
public:
    static rt::Class* classObject();
};
