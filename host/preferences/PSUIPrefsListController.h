#pragma once

#include <string>
#include <utility>

#include "host/preferences/PSListController.h"

class NSArray;
struct DeviceRow;

// The Settings root page. It builds its rows from the device's root list and, after its view
// has loaded, does what Settings does asynchronously on the main queue: inserts the rows that
// depend on later checks (VPN, Emergency SOS, Wallet, TV Provider), refreshes the follow-up rows
// and loads the installed apps' rows.
class PSUIPrefsListController : public PSListController {
public:
    static rt::Class* classObject();

    // The rows Settings keeps in instance variables of their own, as it found them in the list;
    // the TV provider's row is made before it joins the list.
    rt::Object* wallpaperSpecifier() const { return m_wallpaperSpecifier.get(); }
    rt::Object* exposureNotificationSpecifier() const { return m_exposureNotificationSpecifier.get(); }
    rt::Object* videoSubscriberSpecifier() const { return m_videoSubscriberSpecifier.get(); }

    // What the family and TV provider services last answered, stored by them.
    long familyMemberCount() const { return m_familyMemberCount; }
    void setFamilyMemberCount(long count) { m_familyMemberCount = count; }
    const std::string& videoSubscriberProvider() const { return m_videoSubscriberProvider; }
    void setVideoSubscriberProvider(std::string provider) { m_videoSubscriberProvider = std::move(provider); }

private:
    rt::Object* rootSpecifiers();
    void adoptSpecialRows(NSArray* list);
    void rootViewDidLoad();

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
