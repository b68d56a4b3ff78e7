#pragma once

#include "host/runtime/Runtime.h"

// UIDevice: the name, model and system version of the simulated device.
class UIDevice final : public rt::Object {
public:
    static rt::Class* classObject();
    static UIDevice* currentDevice();
};
