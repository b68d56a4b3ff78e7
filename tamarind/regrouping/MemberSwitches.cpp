#include "tamarind/regrouping/MemberSwitches.h"

#include <utility>

#include "tamarind/startup/Settings.h"

namespace tamarind {

namespace {

using Entry = std::pair<std::string_view, const bool*>;

template<std::size_t N>
const bool* find(const Entry (&table)[N], std::string_view identifier)
{
    for (auto& [id, flag] : table)
        if (id == identifier)
            return flag;
    return nullptr;
}

const Entry kConnectivity[] = {
    { "AIRPLANE_MODE", &firstPass.airplaneModeEnabled },
    { "WIFI", &firstPass.wifiEnabled },
    { "ETHERNET", &firstPass.ethernetEnabled },
    { "Bluetooth", &firstPass.bluetoothEnabled },
    { "MOBILE_DATA_SETTINGS_ID", &firstPass.cellularEnabled },
    { "INTERNET_TETHERING", &firstPass.personalHotspotEnabled },
    { "VPN", &firstPass.vpnEnabled },
};

const Entry kNotifications[] = {
    { "NOTIFICATIONS_ID", &firstPass.notificationsEnabled },
    { "Sounds", &firstPass.soundsEnabled },
    { "DO_NOT_DISTURB", &firstPass.dndEnabled },
    { "SCREEN_TIME", &firstPass.screentimeEnabled },
};

const Entry kGeneral[] = {
    { "General", &firstPass.generalEnabled },
    { "ControlCenter", &firstPass.ccEnabled },
    { "HOME_SCREEN", &firstPass.homescreenEnabled },
    { "DISPLAY", &firstPass.displayAndBrightnessEnabled },
    { "ACCESSIBILITY", &firstPass.accessibilityEnabled },
    { "Exposure Notifications", &firstPass.exposureEnabled },
    { "Wallpaper", &firstPass.wallpaperEnabled },
    { "SIRI", &firstPass.siriEnabled },
    { "EMERGENCY_SOS", &firstPass.emergencyEnabled },
    { "BATTERY_USAGE", &firstPass.batteryEnabled },
    { "Privacy", &firstPass.privacyEnabled },
};

}

const bool* connectivitySwitch(std::string_view identifier) { return find(kConnectivity, identifier); }
const bool* notificationsSwitch(std::string_view identifier) { return find(kNotifications, identifier); }
const bool* generalSwitch(std::string_view identifier) { return find(kGeneral, identifier); }

}
