#pragma once

// The identifiers of the rows the library recognises or makes, each spelled once. Rows are
// recognised by identifier, compared exactly and case-sensitively.

namespace tamarind::rowid {

// The host's root list.
inline constexpr char AccountGroup[] = "PRIMARY_APPLE_ACCOUNT_GROUP";
inline constexpr char Account[] = "APPLE_ACCOUNT";
inline constexpr char AccountFollowUp[] = "FollowUpList_com.apple.followup.-group.account";
inline constexpr char ProfileFollowUp[] = "FollowUpList_com.apple.managedconfiguration.ios-purgatory";
inline constexpr char Family[] = "Family";
inline constexpr char GameCenter[] = "GAMECENTER";

inline constexpr char AirplaneMode[] = "AIRPLANE_MODE";
inline constexpr char WiFi[] = "WIFI";
inline constexpr char Ethernet[] = "ETHERNET";
inline constexpr char Bluetooth[] = "Bluetooth";
inline constexpr char MobileData[] = "MOBILE_DATA_SETTINGS_ID";
inline constexpr char PersonalHotspot[] = "INTERNET_TETHERING";
inline constexpr char VPN[] = "VPN";

inline constexpr char Notifications[] = "NOTIFICATIONS_ID";
inline constexpr char Sounds[] = "Sounds";
inline constexpr char DoNotDisturb[] = "DO_NOT_DISTURB";
inline constexpr char ScreenTime[] = "SCREEN_TIME";

inline constexpr char General[] = "General";
inline constexpr char ControlCenter[] = "ControlCenter";
inline constexpr char HomeScreen[] = "HOME_SCREEN";
inline constexpr char Display[] = "DISPLAY";
inline constexpr char Accessibility[] = "ACCESSIBILITY";
inline constexpr char ExposureNotifications[] = "Exposure Notifications";
inline constexpr char Wallpaper[] = "Wallpaper";
inline constexpr char Siri[] = "SIRI";
inline constexpr char Passcode[] = "PASSCODE";
inline constexpr char EmergencySOS[] = "EMERGENCY_SOS";
inline constexpr char Battery[] = "BATTERY_USAGE";
inline constexpr char Privacy[] = "Privacy";
inline constexpr char Wallet[] = "PASSBOOK";

inline constexpr char Store[] = "STORE";
inline constexpr char Home[] = "HOMEKIT";
inline constexpr char Podcasts[] = "com.apple.podcasts";
inline constexpr char VideoSubscriber[] = "VIDEO_SUBSCRIBER";

// The About page.
inline constexpr char SerialNumber[] = "SerialNumber";

// The rows the library adds.
inline constexpr char ConnectivityModule[] = "CONNECTIVITY_MODULE";
inline constexpr char NotificationsModule[] = "NOTIFICATIONS_MODULE";
inline constexpr char GeneralModule[] = "GENERAL_MODULE";
inline constexpr char TweaksList[] = "TWEAKS_CELL";
inline constexpr char AppsList[] = "APPS_CELL";
inline constexpr char SystemAppsList[] = "SYSTEM_APPS_CELL";
inline constexpr char Banner[] = "TMBannerCell";
inline constexpr char UptimeGroup[] = "UPTIME_GROUP";
inline constexpr char DeviceUptime[] = "DeviceUptime";

}
