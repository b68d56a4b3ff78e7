#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "tamarind/core/Options.h"

// What every option of the preferences domain changes, one line each, and the options that are
// not read at load time: colours (with the fallback each use passes) and pictures, both read
// through the picker library at the moment of use. Together with the reading passes this is the
// whole domain as tools show it and check it. The header holds no globals, so a tool may include
// it beside the loaded library.

// D(key, description): every key of the two reading passes, once.
#define TAM_OPTION_DESCRIPTIONS(D)                                                                                     \
    D(tweakEnabled, "Master switch: when off, the library installs none of its changes")                               \
    D(centerTitle, "Centres the root page's large title and the title labels of every page")                           \
    D(isTitleVisible, "When off, the root page never sets a title")                                                    \
    D(isTableViewCellHeightEnabled, "Root rows take the height tableViewCellHeight")                                   \
    D(iCloudPfP, "The account button shows the cached account picture instead of a person symbol")                     \
    D(stockiCloud, "Keeps the stock account row (restyled) instead of the floating account and search buttons")        \
    D(isOtherAccountButtonStyleEnabled, "The account button uses the alternative person symbol")                       \
    D(isBoldTitle, "When off, the root page's large title uses the plain system font")                                 \
    D(isArrowAccessory, "When off, rows lose their disclosure arrow and the account picture moves to the cell edge")   \
    D(isCustomLabelColor, "Row and account row labels take colorTopLabel and colorBottomLabel")                        \
    D(isCustomNavBarColor, "The navigation bar takes colorNavbarLight, colorNavbarDark and colorNavbarText")           \
    D(isCustomAccColor, "The account button is tinted colorAccountButtonLight or colorAccountButtonDark")              \
    D(isAccCellCustomNameEnabled, "The account row shows accCellNameValue and accCellSubtitleValue")                   \
    D(isSearchIconDisabled, "Hides the floating search button")                                                        \
    D(isAccountIconDisabled, "Hides the floating account button")                                                      \
    D(isSoftwareUpdateBadgeEnabled, "Clears the Settings badge and hides the update badges on the General page")       \
    D(isCenterLabels, "Centres row labels, the account row's labels and the title labels")                             \
    D(isSearchHidden, "Hides the search bar of the root page and its floating search button")                          \
    D(isSmallTitle, "The root page shows a small title in the bar instead of the large one")                           \
    D(isStockiCloudPfpHidden, "Hides the picture of the account row")                                                  \
    D(isSearchBGHidden, "Hides the background of the search field")                                                    \
    D(isCustomScrollbarColorEnabled, "The scroll indicator takes colorScrollbar")                                      \
    D(isCustomSearchBarColorEnabled, "The search field takes colorSearchBar")                                          \
    D(isConnectivityGroupingEnabled,                                                                                   \
        "Moves Airplane Mode, Wi-Fi, Bluetooth and the other network rows into Connectivity")                          \
    D(isScrollBarHiddenEnabled, "Hides the scroll indicator")                                                          \
    D(isTopMenuEnabled, "Adds the gear menu with Respring and Safe Mode to the root page")                             \
    D(isTopMenuConfirmationEnabled, "The gear menu asks for confirmation before it respings or enters Safe Mode")      \
    D(isGeneralGroupingEnabled, "Moves General, Control Centre, Display and the other system rows into General")       \
    D(isNotificationsGroupingEnabled, "Moves Notifications, Sounds, Focus and Screen Time into Notifications")         \
    D(isCustomNavBarMenuColorEnabled, "The gear menu button takes colorNavBarMenu")                                    \
    D(isBannerEnabled, "Shows the banner picture (bannerImage, still or animated) at the top of the root list")        \
    D(isBannerSpacerEnabled, "Keeps a section break after the banner even when the stock account row stays")           \
    D(isWhatJailbreakEnabled, "The root list's footer shows the icon of the detected jailbreak")                       \
    D(isDeviceIDEnabled, "The root list's footer names the device and its system version")                             \
    D(titleValue, "Text of the root page's title in place of Settings")                                                \
    D(accCellNameValue, "Name shown on the account row when isAccCellCustomNameEnabled is on")                         \
    D(accCellSubtitleValue, "Subtitle shown on the account row when isAccCellCustomNameEnabled is on")                 \
    D(accountImagePosition, "Account row picture: 0 left, 1 alone in the centre, any other value right")               \
    D(xOff, "Horizontal offset of the account button, in points")                                                      \
    D(yOffset, "Vertical offset of the account button, in points")                                                     \
    D(xOff2, "Horizontal offset of the search button, in points")                                                      \
    D(yOffset2, "Vertical offset of the search button, in points")                                                     \
    D(tableViewCellHeight, "Height of root rows, in points, when isTableViewCellHeightEnabled is on")                  \
    D(searchBarCornerRadiusValue, "Corner radius of the search field, in points")                                      \
    D(bannerHeight, "Height of the banner row, in points")                                                             \
    D(uptimeCellEnabled, "Adds an uptime row to the About page")                                                       \
    D(isCustomTableCellCustomizabilityEnabled, "Master switch of the regrouping into modules and lists")               \
    D(isFamilyEnabled, "When off, the root list drops the Family row")                                                 \
    D(isFollowUpEnabled, "When off, the root list drops the account follow-up row")                                    \
    D(airplaneModeEnabled, "When off, Airplane Mode is left out of the root list and its module")                      \
    D(wifiEnabled, "When off, Wi-Fi is left out of the root list and its module")                                      \
    D(bluetoothEnabled, "When off, Bluetooth is left out of the root list and its module")                             \
    D(ethernetEnabled, "When off, Ethernet is left out of the root list and its module")                               \
    D(cellularEnabled, "When off, Mobile Data is left out of the root list and its module")                            \
    D(personalHotspotEnabled, "When off, Personal Hotspot is left out of the root list and its module")                \
    D(vpnEnabled, "When off, VPN is left out of the root list and its module")                                         \
    D(notificationsEnabled, "When off, Notifications is left out of the root list and its module")                     \
    D(soundsEnabled, "When off, Sounds is left out of the root list and its module")                                   \
    D(dndEnabled, "When off, Focus (Do Not Disturb) is left out of the root list and its module")                      \
    D(screentimeEnabled, "When off, Screen Time is left out of the root list and its module")                          \
    D(generalEnabled, "When off, General is left out of the root list and its module")                                 \
    D(ccEnabled, "When off, Control Centre is left out of the root list and its module")                               \
    D(homescreenEnabled, "When off, Home Screen is left out of the root list and its module")                          \
    D(displayAndBrightnessEnabled, "When off, Display & Brightness is left out of the root list and its module")       \
    D(accessibilityEnabled, "When off, Accessibility is left out of the root list and its module")                     \
    D(wallpaperEnabled, "When off, Wallpaper is left out of the root list and its module")                             \
    D(siriEnabled, "When off, Siri & Search is left out of the root list and its module")                              \
    D(sepEnabled, "When off, the root list drops the passcode row")                                                    \
    D(exposureEnabled, "When off, Exposure Notifications is left out of the root list and its module")                 \
    D(emergencyEnabled, "When off, Emergency SOS is left out of the root list and its module")                         \
    D(batteryEnabled, "When off, Battery is left out of the root list and its module")                                 \
    D(privacyEnabled, "When off, Privacy is left out of the root list and its module")                                 \
    D(walletEnabled, "When off, Wallet is left out of the root list and its module")                                   \
    D(tvProviderEnabled, "When off, the root list drops the TV Provider row")                                          \
    D(groupTweaksEnabled, "Moves tweak panes into a Tweaks list row")                                                  \
    D(groupThirdPartyAppsEnabled, "Moves installed apps' rows into an Apps list row")                                  \
    D(groupSystemAppsEnabled, "Moves Apple's own app rows into a System Apps list row")                                \
    D(tableCellSpacingValue, "Gap under every root section but the last, in points")                                   \
    D(disableSelectedBackground, "When on, tapped rows show the selection highlight; off suppresses it")               \
    D(tableViewLabelsEnabled, "Root rows show a subtitle summarising what lies behind them")                           \
    D(isSeperatorsDisabled, "Removes the separator lines between rows")                                                \
    D(isCustomBackgroundImageEnabled, "Tables show backgroundImageLight or backgroundImageDark behind the rows")       \
    D(isTableIconsEnabled, "When off, rows lose their icons")                                                          \
    D(isCircleIcons, "Rounds row icons with the radius circleIconValue")                                               \
    D(isSwitchesEnabled, "Hides the switches on the root list")                                                        \
    D(isCustomBackgroundColor, "Tables take colorBackground behind the rows")                                          \
    D(isCustomTableViewColor, "Rows take colorBackgroundTableLight or colorBackgroundTableDark")                       \
    D(isCustomBorderColor, "Rows get a border of colorBorder, borderWidthValue points wide")                           \
    D(isCustomTitleColor, "Title labels take colorTitle")                                                              \
    D(isDetailLabelEnabled, "Hides the value text on the right of rows")                                               \
    D(isDefaultTweakIconEnabled, "Rows without an icon get the default tweak icon instead of a blank one")             \
    D(isCustomSwitchColor, "Switches take colorOnSwitch and colorOffSwitch")                                           \
    D(isCustomDetailLabelColor, "Value texts take colorDetail")                                                        \
    D(isCustomAccessoryColorEnabled, "Disclosure arrows take colorAccessory")                                          \
    D(isCenterLabelsOnSubmenus, "With isCenterLabels, also centres section headers and footers")                       \
    D(isSoftwareVersionSpoofingEnabled, "Shows customSoftwareVersionValue as the software version")                    \
    D(isModelNameSpoofingEnabled, "Shows customModelNameValue as the model name")                                      \
    D(isModelNumberSpoofingEnabled, "Shows customModelNumberValue as the model number")                                \
    D(isSerialNumberSpoofingEnabled, "Shows customSerialNumberValue as the serial number")                             \
    D(isBatterySpoofingEnabled, "Shows customBatterySpoofingValue as the battery capacity")                            \
    D(isIPForWifiCellEnabled, "The Wi-Fi row's subtitle shows the device's IP address")                                \
    D(isAmountOfStorageForGeneralEnabled, "The General row's subtitle shows the storage used")                         \
    D(isManualSliderAdjustment, "A double tap on a slider row lets the value be typed")                                \
    D(isFakeStorageEnabled, "Shows storageValue as the device's capacity")                                             \
    D(customSoftwareVersionValue, "Software version shown when isSoftwareVersionSpoofingEnabled is on")                \
    D(customModelNameValue, "Model name shown when isModelNameSpoofingEnabled is on")                                  \
    D(customModelNumberValue, "Model number shown when isModelNumberSpoofingEnabled is on")                            \
    D(customSerialNumberValue, "Serial number shown when isSerialNumberSpoofingEnabled is on")                         \
    D(customBatterySpoofingValue, "Battery capacity shown when isBatterySpoofingEnabled is on")                        \
    D(circleIconValue, "Corner radius of row icons, in points, when isCircleIcons is on")                              \
    D(borderWidthValue, "Width of the row border, in points, when isCustomBorderColor is on")                          \
    D(tableViewCellInset, "Left and right inset of sections inside preference pages, in points")                       \
    D(roundCornersCustomize, "Corner radius of rows, in points")                                                       \
    D(storageValue, "Capacity shown, in gigabytes, when isFakeStorageEnabled is on")                                   \
    D(backgroundImageBlurValue, "Opacity of the blur over the background image, from 0 (none) to 1 (opaque)")

// C(key, fallbacks, description): the colour options, with the fallback (or fallbacks, one per
// use) shown while the key holds no colour.
#define TAM_COLOR_OPTIONS(C)                                                                                           \
    C(colorTopLabel, "ffffff (account row), 000000 (rows)", "Row titles and the account row's name")                   \
    C(colorBottomLabel, "ffffff (account row), 3c3c4399 (rows)", "Row subtitles and the account row's subtitle")       \
    C(colorAccountButtonLight, "0b84ff", "Account button tint in light mode")                                          \
    C(colorAccountButtonDark, "0b84ff", "Account button tint in dark mode")                                            \
    C(colorNavbarText, "ffffff", "Root page title and navigation bar text")                                            \
    C(colorNavbarLight, "ffffff", "Navigation bar background in light mode")                                           \
    C(colorNavbarDark, "ffffff", "Navigation bar background in dark mode")                                             \
    C(colorNavBarMenu, "0b84ff", "Gear menu button tint")                                                              \
    C(colorSearchBar, "8E8E93", "Search field background")                                                             \
    C(colorScrollbar, "8E8E93", "Scroll indicator")                                                                    \
    C(colorTitle, "000000", "Title labels")                                                                            \
    C(colorBorder, "ffffff", "Row border")                                                                             \
    C(colorBackgroundTableLight, "ffffff", "Row background in light mode")                                             \
    C(colorBackgroundTableDark, "000000", "Row background in dark mode")                                               \
    C(colorDetail, "98989D", "Value texts on the right of rows")                                                       \
    C(colorBackground, "000000", "Table background behind the rows")                                                   \
    C(colorOnSwitch, "4cd964", "Switches that are on")                                                                 \
    C(colorOffSwitch, "ffffff", "Switches that are off")                                                               \
    C(colorAccessory, "8E8E93", "Disclosure arrows")

// P(kind, key, description): the pictures, an image file or plist data; Data keys are played
// from their raw bytes.
#define TAM_PICTURE_OPTIONS(P)                                                                                         \
    P(Image, backgroundImageLight, "Table background picture in light mode")                                           \
    P(Image, backgroundImageDark, "Table background picture in dark mode")                                             \
    P(Data, bannerImage, "Banner picture at the top of the root list, still or an animated GIF")

namespace tamarind {

enum class OptionKind { Bool, Integer, Float, String, IntValue, Color, Image, Data };

struct OptionInfo {
    std::string_view key;
    OptionKind kind;
    std::string_view description;
};

// Every option of the domain once: the first pass, the second pass's own keys, the colours and
// the pictures, in that order.
constexpr auto optionTable()
{
#define TAM_ROW(kind, key, fallback) OptionInfo { #key, OptionKind::kind, {} },
#define TAM_COLOR_ROW(key, fallbacks, text) OptionInfo { #key, OptionKind::Color, text },
#define TAM_PICTURE_ROW(kind, key, text) OptionInfo { #key, OptionKind::kind, text },
    std::array rows { TAM_FIRST_PASS_OPTIONS(TAM_ROW) TAM_SECOND_PASS_OPTIONS(TAM_ROW) TAM_COLOR_OPTIONS(TAM_COLOR_ROW)
            TAM_PICTURE_OPTIONS(TAM_PICTURE_ROW) };
#undef TAM_ROW
#undef TAM_COLOR_ROW
#undef TAM_PICTURE_ROW
    std::array<OptionInfo, rows.size()> unique {};
    std::size_t count = 0;
    for (auto& row : rows) {
        bool seen = false;
        for (std::size_t i = 0; i < count; ++i)
            seen = seen || unique[i].key == row.key;
        if (!seen)
            unique[count++] = row;
    }
    // The key's text is measured once per description, not once per row it is compared with:
    // compilers bound the steps of a compile-time evaluation, and clang's bound is the tighter.
    auto describe = [&](std::string_view key, std::string_view text) {
        for (std::size_t i = 0; i < count; ++i)
            if (unique[i].key == key)
                unique[i].description = text;
    };
#define TAM_DESCRIBE_ROW(name, text) describe(#name, text);
    TAM_OPTION_DESCRIPTIONS(TAM_DESCRIBE_ROW)
#undef TAM_DESCRIBE_ROW
    return std::pair { unique, count };
}

constexpr std::optional<OptionInfo> findOption(std::string_view key)
{
    constexpr auto table = optionTable();
    for (std::size_t i = 0; i < table.second; ++i)
        if (table.first[i].key == key)
            return table.first[i];
    return std::nullopt;
}

// Every option has its line, and every line belongs to an option of the reading passes.
constexpr bool descriptionsMatchOptions()
{
    constexpr auto table = optionTable();
    for (std::size_t i = 0; i < table.second; ++i)
        if (table.first[i].description.empty())
            return false;
    std::string_view described[] = {
#define TAM_DESCRIBED_KEY(name, text) #name,
        TAM_OPTION_DESCRIPTIONS(TAM_DESCRIBED_KEY)
#undef TAM_DESCRIBED_KEY
    };
    for (auto key : described) {
        bool found = false;
        for (std::size_t i = 0; i < table.second; ++i)
            found = found || (table.first[i].key == key && table.first[i].kind != OptionKind::Color);
        if (!found)
            return false;
    }
    return true;
}
static_assert(
    descriptionsMatchOptions(), "every option needs one line saying what it changes, and only options have one");

// The fallback text of a colour option, as the picker is asked for it.
constexpr std::string_view colorFallbacks(std::string_view key)
{
#define TAM_FALLBACK_ROW(k, fallbacks, text)                                                                           \
    if (key == #k)                                                                                                     \
        return fallbacks;
    TAM_COLOR_OPTIONS(TAM_FALLBACK_ROW)
#undef TAM_FALLBACK_ROW
    return {};
}

}
