#pragma once

#include "host/preferences/PSListController.h"

// Settings' General > About page: the device's name, software version, model and serial number in
// the first section, then the media counts and capacity. Its rows come from device.json ("about")
// or, when the device names none, from the device's own fields.
class PSGAboutController : public PSListController {
public:
    static rt::Class* classObject();
};

// Settings' General page: About, Software Update, the storage page and a few plain rows.
class PSGGeneralController : public PSListController {
public:
    static rt::Class* classObject();
};
