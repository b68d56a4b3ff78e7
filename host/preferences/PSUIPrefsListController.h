#pragma once

#include <string>

#include "host/preferences/PSListController.h"

struct DeviceRow;

// The Settings root page. It builds its rows from the device's root list and, after its view
// has loaded, does what Settings does asynchronously on the main queue: inserts the rows that
// depend on later checks (VPN, Emergency SOS, Wallet, TV Provider), refreshes the follow-up rows
// and loads the installed apps' rows.
class PSUIPrefsListController : public PSListController {
public:
    static rt::Class* classObject();

    rt::Ref<rt::Object> m_appleAccountSpecifier;
    rt::Ref<rt::Object> m_wallpaperSpecifier;
    rt::Ref<rt::Object> m_exposureNotificationSpecifier;
    rt::Ref<rt::Object> m_videoSubscriberSpecifier;
    bool m_scheduledLaterWork { false };
    long m_familyMemberCount { 0 };
    std::string m_videoSubscriberProvider;
};

// A row of the device description as the host's row object (autoreleased).
rt::Object* makeDeviceSpecifier(const DeviceRow&, rt::Object* target);
