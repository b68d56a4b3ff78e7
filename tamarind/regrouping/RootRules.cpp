#include "tamarind/regrouping/RootRules.h"

#include <unordered_map>

#include "tamarind/core/RowIdentifiers.h"

namespace tamarind {

namespace {

using S = FirstPassSettings;
using enum WalkRule;
using enum Insertion;
using enum PageFilter;

// In the order the walk's rules are tested, which is also each module's order of members.
constexpr RowRule kRules[] = {
    { rowid::AccountGroup, AccountGroup, Module::None, nullptr, Always, Unfiltered },
    { rowid::GameCenter, GameCenter, Module::None, nullptr, Always, Unfiltered },
    { rowid::AccountFollowUp, KeepIfSwitchOn, Module::None, &S::isFollowUpEnabled, Always, Unfiltered },
    { rowid::Account, Account, Module::None, nullptr, Always, Unfiltered },
    { rowid::Family, KeepIfSwitchOn, Module::None, &S::isFamilyEnabled, Always, Unfiltered },

    { rowid::AirplaneMode, ModuleStart, Module::Connectivity, &S::airplaneModeEnabled, Always, BySwitch },
    { rowid::WiFi, Member, Module::Connectivity, &S::wifiEnabled, Always, BySwitch },
    { rowid::Ethernet, Member, Module::Connectivity, &S::ethernetEnabled, Always, BySwitch },
    { rowid::Bluetooth, Member, Module::Connectivity, &S::bluetoothEnabled, Always, BySwitch },
    { rowid::MobileData, Member, Module::Connectivity, &S::cellularEnabled, Always, BySwitch },
    { rowid::PersonalHotspot, Member, Module::Connectivity, &S::personalHotspotEnabled, Always, BySwitch },
    { rowid::VPN, Member, Module::Connectivity, &S::vpnEnabled, WhileShown, BySwitch },

    { rowid::Notifications, ModuleStart, Module::Notifications, &S::notificationsEnabled, Always, BySwitch },
    { rowid::Sounds, Member, Module::Notifications, &S::soundsEnabled, Always, BySwitch },
    { rowid::DoNotDisturb, Member, Module::Notifications, &S::dndEnabled, Always, BySwitch },
    { rowid::ScreenTime, Member, Module::Notifications, &S::screentimeEnabled, Always, BySwitch },

    { rowid::General, GeneralStart, Module::General, &S::generalEnabled, Always, BySwitch },
    { rowid::ControlCenter, Member, Module::General, &S::ccEnabled, Always, BySwitch },
    { rowid::HomeScreen, Member, Module::General, &S::homescreenEnabled, Always, BySwitch },
    { rowid::Display, Member, Module::General, &S::displayAndBrightnessEnabled, Always, BySwitch },
    { rowid::Accessibility, Member, Module::General, &S::accessibilityEnabled, Always, BySwitch },
    // The General page shows the root page's own exposure row after Emergency SOS instead.
    { rowid::ExposureNotifications, Member, Module::General, &S::exposureEnabled, Always, Never },
    { rowid::Wallpaper, Member, Module::General, &S::wallpaperEnabled, Always, RootWallpaper },
    { rowid::Siri, Member, Module::General, &S::siriEnabled, Always, BySwitch },
    // Passcode is tested among General's rows but always stays on the root list.
    { rowid::Passcode, Passcode, Module::General, &S::sepEnabled, Always, Unfiltered },
    { rowid::EmergencySOS, Member, Module::General, &S::emergencyEnabled, WhileShown, WithExposure },
    { rowid::Battery, Member, Module::General, &S::batteryEnabled, Always, BySwitch },
    { rowid::Privacy, Privacy, Module::General, &S::privacyEnabled, Always, BySwitch },
    // Wallet stays where the host put it; only its later insertion and its place on the General
    // page follow its switch.
    { rowid::Wallet, Keep, Module::General, &S::walletEnabled, WhileShown, BySwitch },

    { rowid::Store, Store, Module::SystemApps, nullptr, WhileShown, Unfiltered },
    { rowid::Home, Member, Module::SystemApps, nullptr, WhileShown, Unfiltered },
    { rowid::Podcasts, Member, Module::SystemApps, nullptr, WhileShown, Unfiltered },
    { rowid::VideoSubscriber, Keep, Module::SystemApps, &S::tvProviderEnabled, WhileShown, Unfiltered },
};

}

const RowRule* rowRule(std::string_view identifier)
{
    static const auto* byIdentifier = [] {
        auto* map = new std::unordered_map<std::string_view, const RowRule*>;
        for (const RowRule& rule : kRules)
            map->emplace(rule.identifier, &rule);
        return map;
    }();
    auto it = byIdentifier->find(identifier);
    return it == byIdentifier->end() ? nullptr : it->second;
}

}
