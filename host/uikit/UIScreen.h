#pragma once

#include "host/foundation/Geometry.h"
#include "host/runtime/Runtime.h"

// UIScreen: the main screen of the simulated device, sized and scaled as the device description
// says. The system's appearance (light or dark) lives here too: changing it reaches every window.
class UIScreen final : public rt::Object {
public:
    static rt::Class* classObject();
    static UIScreen* mainScreen();
    // The device's idiom as UIKit numbers it (0 phone, 1 pad).
    static long deviceIdiom();

    CGRect bounds() const { return m_bounds; }
    double scale() const { return m_scale; }
    long userInterfaceStyle() const { return m_style; }
    // Changes the system appearance; windows send traitCollectionDidChange: where it shows.
    void setUserInterfaceStyle(long);
    // Re-reads size, scale and style from the current device description.
    void reloadFromDevice();

private:
    CGRect m_bounds;
    double m_scale { 3 };
    long m_style { 1 };
};
