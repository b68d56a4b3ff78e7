#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

// Every option of the preferences domain, once: the options read while the library loads (with
// their kind and default), the colours (with the fallback their uses pass) and the pictures, each
// with one line saying what it changes. Each key becomes a name in code (Option::tweakEnabled,
// ColorOption::colorTitle, PictureOption::bannerImage), so a misspelt key fails the build, and
// tools show exactly the table the library reads. The header holds no globals, so a tool may
// include it beside the loaded library.
//
// Kinds: Bool (boolForKey:), Integer (integerForKey:, 64-bit), Float (floatForKey:, held as a
// double), String (the stored object, retained), IntValue (the stored object's intValue, 0 when
// absent). A String option's default is always nothing (written 0).

// O(kind, key, default, description): the options read while the library loads, in the order of
// the first reading pass and then the second pass's own keys.
#define TAM_OPTIONS(O)                                                                                                 \
    O(Bool, tweakEnabled, true, "Master switch: when off, the library installs none of its changes")                   \
    O(Bool, centerTitle, true, "Centres the root page's large title and the title labels of every page")               \
    O(Bool, isTitleVisible, true, "When off, the root page never sets a title")                                        \
    O(Bool, isTableViewCellHeightEnabled, true, "Root rows take the height tableViewCellHeight")                       \
    O(Bool, iCloudPfP, false, "The account button shows the cached account picture instead of a person symbol")        \
    O(Bool, stockiCloud, false,                                                                                        \
        "Keeps the stock account row (restyled) instead of the floating account and search buttons")                   \
    O(Bool, isOtherAccountButtonStyleEnabled, true, "The account button uses the alternative person symbol")           \
    O(Bool, isBoldTitle, true, "When off, the root page's large title uses the plain system font")                     \
    O(Bool, isArrowAccessory, true,                                                                                    \
        "When off, rows lose their disclosure arrow and the account picture moves to the cell edge")                   \
    O(Bool, isCustomLabelColor, false, "Row and account row labels take colorTopLabel and colorBottomLabel")           \
    O(Bool, isCustomNavBarColor, false,                                                                                \
        "The navigation bar takes colorNavbarLight, colorNavbarDark and colorNavbarText")                              \
    O(Bool, isCustomAccColor, false, "The account button is tinted colorAccountButtonLight or colorAccountButtonDark") \
    O(Bool, isAccCellCustomNameEnabled, false, "The account row shows accCellNameValue and accCellSubtitleValue")      \
    O(Bool, isSearchIconDisabled, false, "Hides the floating search button")                                           \
    O(Bool, isAccountIconDisabled, false, "Hides the floating account button")                                         \
    O(Bool, isSoftwareUpdateBadgeEnabled, false,                                                                       \
        "Clears the Settings badge and hides the update badges on the General page")                                   \
    O(Bool, isCenterLabels, false, "Centres row labels, the account row's labels and the title labels")                \
    O(Bool, isSearchHidden, false, "Hides the search bar of the root page and its floating search button")             \
    O(Bool, isSmallTitle, false, "The root page shows a small title in the bar instead of the large one")              \
    O(Bool, isStockiCloudPfpHidden, false, "Hides the picture of the account row")                                     \
    O(Bool, isSearchBGHidden, false, "Hides the background of the search field")                                       \
    O(Bool, isCustomScrollbarColorEnabled, false, "The scroll indicator takes colorScrollbar")                         \
    O(Bool, isCustomSearchBarColorEnabled, false, "The search field takes colorSearchBar")                             \
    O(Bool, isConnectivityGroupingEnabled, false,                                                                      \
        "Moves Airplane Mode, Wi-Fi, Bluetooth and the other network rows into Connectivity")                          \
    O(Bool, isScrollBarHiddenEnabled, false, "Hides the scroll indicator")                                             \
    O(Bool, isTopMenuEnabled, false, "Adds the gear menu with Respring and Safe Mode to the root page")                \
    O(Bool, isTopMenuConfirmationEnabled, true,                                                                        \
        "The gear menu asks for confirmation before it respings or enters Safe Mode")                                  \
    O(Bool, isGeneralGroupingEnabled, false,                                                                           \
        "Moves General, Control Centre, Display and the other system rows into General")                               \
    O(Bool, isNotificationsGroupingEnabled, false,                                                                     \
        "Moves Notifications, Sounds, Focus and Screen Time into Notifications")                                       \
    O(Bool, isCustomNavBarMenuColorEnabled, false, "The gear menu button takes colorNavBarMenu")                       \
    O(Bool, isBannerEnabled, false,                                                                                    \
        "Shows the banner picture (bannerImage, still or animated) at the top of the root list")                       \
    O(Bool, isBannerSpacerEnabled, false,                                                                              \
        "Keeps a section break after the banner even when the stock account row stays")                                \
    O(Bool, isWhatJailbreakEnabled, false, "The root list's footer shows the icon of the detected jailbreak")          \
    O(Bool, isDeviceIDEnabled, false, "The root list's footer names the device and its system version")                \
    O(String, titleValue, 0, "Text of the root page's title in place of Settings")                                     \
    O(String, accCellNameValue, 0, "Name shown on the account row when isAccCellCustomNameEnabled is on")              \
    O(String, accCellSubtitleValue, 0, "Subtitle shown on the account row when isAccCellCustomNameEnabled is on")      \
    O(IntValue, accountImagePosition, 0, "Account row picture: 0 left, 1 alone in the centre, any other value right")  \
    O(Integer, xOff, -50, "Horizontal offset of the account button, in points")                                        \
    O(Integer, yOffset, 5, "Vertical offset of the account button, in points")                                         \
    O(Integer, xOff2, -90, "Horizontal offset of the search button, in points")                                        \
    O(Integer, yOffset2, -1, "Vertical offset of the search button, in points")                                        \
    O(Integer, tableViewCellHeight, 66, "Height of root rows, in points, when isTableViewCellHeightEnabled is on")     \
    O(Integer, searchBarCornerRadiusValue, 5, "Corner radius of the search field, in points")                          \
    O(Integer, bannerHeight, 100, "Height of the banner row, in points")                                               \
    O(Bool, uptimeCellEnabled, false, "Adds an uptime row to the About page")                                          \
    O(Bool, isCustomTableCellCustomizabilityEnabled, false, "Master switch of the regrouping into modules and lists")  \
    O(Bool, isFamilyEnabled, true, "When off, the root list drops the Family row")                                     \
    O(Bool, isFollowUpEnabled, true, "When off, the root list drops the account follow-up row")                        \
    O(Bool, airplaneModeEnabled, true, "When off, Airplane Mode is left out of the root list and its module")          \
    O(Bool, wifiEnabled, true, "When off, Wi-Fi is left out of the root list and its module")                          \
    O(Bool, bluetoothEnabled, true, "When off, Bluetooth is left out of the root list and its module")                 \
    O(Bool, ethernetEnabled, true, "When off, Ethernet is left out of the root list and its module")                   \
    O(Bool, cellularEnabled, true, "When off, Mobile Data is left out of the root list and its module")                \
    O(Bool, personalHotspotEnabled, true, "When off, Personal Hotspot is left out of the root list and its module")    \
    O(Bool, vpnEnabled, true, "When off, VPN is left out of the root list and its module")                             \
    O(Bool, notificationsEnabled, true, "When off, Notifications is left out of the root list and its module")         \
    O(Bool, soundsEnabled, true, "When off, Sounds is left out of the root list and its module")                       \
    O(Bool, dndEnabled, true, "When off, Focus (Do Not Disturb) is left out of the root list and its module")          \
    O(Bool, screentimeEnabled, true, "When off, Screen Time is left out of the root list and its module")              \
    O(Bool, generalEnabled, true, "When off, General is left out of the root list and its module")                     \
    O(Bool, ccEnabled, true, "When off, Control Centre is left out of the root list and its module")                   \
    O(Bool, homescreenEnabled, true, "When off, Home Screen is left out of the root list and its module")              \
    O(Bool, displayAndBrightnessEnabled, true,                                                                         \
        "When off, Display & Brightness is left out of the root list and its module")                                  \
    O(Bool, accessibilityEnabled, true, "When off, Accessibility is left out of the root list and its module")         \
    O(Bool, wallpaperEnabled, true, "When off, Wallpaper is left out of the root list and its module")                 \
    O(Bool, siriEnabled, true, "When off, Siri & Search is left out of the root list and its module")                  \
    O(Bool, sepEnabled, true, "When off, the root list drops the passcode row")                                        \
    O(Bool, exposureEnabled, true, "When off, Exposure Notifications is left out of the root list and its module")     \
    O(Bool, emergencyEnabled, true, "When off, Emergency SOS is left out of the root list and its module")             \
    O(Bool, batteryEnabled, true, "When off, Battery is left out of the root list and its module")                     \
    O(Bool, privacyEnabled, true, "When off, Privacy is left out of the root list and its module")                     \
    O(Bool, walletEnabled, true, "When off, Wallet is left out of the root list and its module")                       \
    O(Bool, tvProviderEnabled, true, "When off, the root list drops the TV Provider row")                              \
    O(Bool, groupTweaksEnabled, false, "Moves tweak panes into a Tweaks list row")                                     \
    O(Bool, groupThirdPartyAppsEnabled, false, "Moves installed apps' rows into an Apps list row")                     \
    O(Bool, groupSystemAppsEnabled, false, "Moves Apple's own app rows into a System Apps list row")                   \
    O(Integer, tableCellSpacingValue, 5, "Gap under every root section but the last, in points")                       \
    O(Bool, disableSelectedBackground, false, "When on, tapped rows show the selection highlight; off suppresses it")  \
    O(Bool, tableViewLabelsEnabled, true, "Root rows show a subtitle summarising what lies behind them")               \
    O(Bool, isSeperatorsDisabled, true, "Removes the separator lines between rows")                                    \
    O(Bool, isCustomBackgroundImageEnabled, false,                                                                     \
        "Tables show backgroundImageLight or backgroundImageDark behind the rows")                                     \
    O(Bool, isTableIconsEnabled, true, "When off, rows lose their icons")                                              \
    O(Bool, isCircleIcons, true, "Rounds row icons with the radius circleIconValue")                                   \
    O(Bool, isSwitchesEnabled, true, "Hides the switches on the root list")                                            \
    O(Bool, isCustomBackgroundColor, false, "Tables take colorBackground behind the rows")                             \
    O(Bool, isCustomTableViewColor, false, "Rows take colorBackgroundTableLight or colorBackgroundTableDark")          \
    O(Bool, isCustomBorderColor, false, "Rows get a border of colorBorder, borderWidthValue points wide")              \
    O(Bool, isCustomTitleColor, false, "Title labels take colorTitle")                                                 \
    O(Bool, isDetailLabelEnabled, false, "Hides the value text on the right of rows")                                  \
    O(Bool, isDefaultTweakIconEnabled, true, "Rows without an icon get the default tweak icon instead of a blank one") \
    O(Bool, isCustomSwitchColor, false, "Switches take colorOnSwitch and colorOffSwitch")                              \
    O(Bool, isCustomDetailLabelColor, false, "Value texts take colorDetail")                                           \
    O(Bool, isCustomAccessoryColorEnabled, false, "Disclosure arrows take colorAccessory")                             \
    O(Bool, isCenterLabelsOnSubmenus, false, "With isCenterLabels, also centres section headers and footers")          \
    O(Bool, isSoftwareVersionSpoofingEnabled, false, "Shows customSoftwareVersionValue as the software version")       \
    O(Bool, isModelNameSpoofingEnabled, false, "Shows customModelNameValue as the model name")                         \
    O(Bool, isModelNumberSpoofingEnabled, false, "Shows customModelNumberValue as the model number")                   \
    O(Bool, isSerialNumberSpoofingEnabled, false, "Shows customSerialNumberValue as the serial number")                \
    O(Bool, isBatterySpoofingEnabled, false, "Shows customBatterySpoofingValue as the battery capacity")               \
    O(Bool, isIPForWifiCellEnabled, false, "The Wi-Fi row's subtitle shows the device's IP address")                   \
    O(Bool, isAmountOfStorageForGeneralEnabled, false, "The General row's subtitle shows the storage used")            \
    O(Bool, isManualSliderAdjustment, false, "A double tap on a slider row lets the value be typed")                   \
    O(Bool, isFakeStorageEnabled, false, "Shows storageValue as the device's capacity")                                \
    O(String, customSoftwareVersionValue, 0, "Software version shown when isSoftwareVersionSpoofingEnabled is on")     \
    O(String, customModelNameValue, 0, "Model name shown when isModelNameSpoofingEnabled is on")                       \
    O(String, customModelNumberValue, 0, "Model number shown when isModelNumberSpoofingEnabled is on")                 \
    O(String, customSerialNumberValue, 0, "Serial number shown when isSerialNumberSpoofingEnabled is on")              \
    O(String, customBatterySpoofingValue, 0, "Battery capacity shown when isBatterySpoofingEnabled is on")             \
    O(Integer, circleIconValue, 10, "Corner radius of row icons, in points, when isCircleIcons is on")                 \
    O(Integer, borderWidthValue, 0, "Width of the row border, in points, when isCustomBorderColor is on")              \
    O(Integer, tableViewCellInset, 1, "Left and right inset of sections inside preference pages, in points")           \
    O(Integer, roundCornersCustomize, 20, "Corner radius of rows, in points")                                          \
    O(Integer, storageValue, 128, "Capacity shown, in gigabytes, when isFakeStorageEnabled is on")                     \
    O(Float, backgroundImageBlurValue, 0.0,                                                                            \
        "Opacity of the blur over the background image, from 0 (none) to 1 (opaque)")

// C(key, fallback, account row fallback, description): the colour options, with the hexadecimal
// fallback ("RRGGBB" or "RRGGBBAA") shown while the key holds no colour. The account row's labels
// pass a fallback of their own where the third column holds one.
#define TAM_COLOR_OPTIONS(C)                                                                                           \
    C(colorTopLabel, "000000", "ffffff", "Row titles and the account row's name")                                      \
    C(colorBottomLabel, "3c3c4399", "ffffff", "Row subtitles and the account row's subtitle")                          \
    C(colorAccountButtonLight, "0b84ff", nullptr, "Account button tint in light mode")                                 \
    C(colorAccountButtonDark, "0b84ff", nullptr, "Account button tint in dark mode")                                   \
    C(colorNavbarText, "ffffff", nullptr, "Root page title and navigation bar text")                                   \
    C(colorNavbarLight, "ffffff", nullptr, "Navigation bar background in light mode")                                  \
    C(colorNavbarDark, "ffffff", nullptr, "Navigation bar background in dark mode")                                    \
    C(colorNavBarMenu, "0b84ff", nullptr, "Gear menu button tint")                                                     \
    C(colorSearchBar, "8E8E93", nullptr, "Search field background")                                                    \
    C(colorScrollbar, "8E8E93", nullptr, "Scroll indicator")                                                           \
    C(colorTitle, "000000", nullptr, "Title labels")                                                                   \
    C(colorBorder, "ffffff", nullptr, "Row border")                                                                    \
    C(colorBackgroundTableLight, "ffffff", nullptr, "Row background in light mode")                                    \
    C(colorBackgroundTableDark, "000000", nullptr, "Row background in dark mode")                                      \
    C(colorDetail, "98989D", nullptr, "Value texts on the right of rows")                                              \
    C(colorBackground, "000000", nullptr, "Table background behind the rows")                                          \
    C(colorOnSwitch, "4cd964", nullptr, "Switches that are on")                                                        \
    C(colorOffSwitch, "ffffff", nullptr, "Switches that are off")                                                      \
    C(colorAccessory, "8E8E93", nullptr, "Disclosure arrows")

// P(kind, key, description): the pictures, an image file or plist data; Data keys are played
// from their raw bytes.
#define TAM_PICTURE_OPTIONS(P)                                                                                         \
    P(Image, backgroundImageLight, "Table background picture in light mode")                                           \
    P(Image, backgroundImageDark, "Table background picture in dark mode")                                             \
    P(Data, bannerImage, "Banner picture at the top of the root list, still or an animated GIF")

namespace tamarind {

enum class OptionKind { Bool, Integer, Float, String, IntValue, Color, Image, Data };

// The names of the keys, one enumeration per way the library reads them.
#define TAM_OPTION_NAME(kind, key, fallback, text) key,
#define TAM_COLOR_NAME(key, fallback, accountRowFallback, text) key,
#define TAM_PICTURE_NAME(kind, key, text) key,
enum class Option { TAM_OPTIONS(TAM_OPTION_NAME) };
enum class ColorOption { TAM_COLOR_OPTIONS(TAM_COLOR_NAME) };
enum class PictureOption { TAM_PICTURE_OPTIONS(TAM_PICTURE_NAME) };
#undef TAM_OPTION_NAME
#undef TAM_COLOR_NAME
#undef TAM_PICTURE_NAME

// One row of the whole domain. The default is held as a number: a Bool's is 0 or 1, a String's
// is always 0 (nothing), a colour's or picture's is unused.
struct OptionInfo {
    std::string_view key;
    OptionKind kind;
    double defaultValue;
    std::string_view description;
};

struct ColorInfo {
    const char* key;
    const char* fallback;
    const char* accountRowFallback; // null when the account row passes the common fallback
    std::string_view description;
};

struct PictureInfo {
    const char* key;
    OptionKind kind; // Image or Data
    std::string_view description;
};

// In the order of Option.
constexpr std::array kLoadedOptions {
#define TAM_OPTION_ROW(kind, key, fallback, text) OptionInfo { #key, OptionKind::kind, double(fallback), text },
    TAM_OPTIONS(TAM_OPTION_ROW)
#undef TAM_OPTION_ROW
};

// In the order of ColorOption.
constexpr std::array kColorOptions {
#define TAM_COLOR_ROW(key, fallback, accountRowFallback, text) ColorInfo { #key, fallback, accountRowFallback, text },
    TAM_COLOR_OPTIONS(TAM_COLOR_ROW)
#undef TAM_COLOR_ROW
};

// In the order of PictureOption.
constexpr std::array kPictureOptions {
#define TAM_PICTURE_ROW(kind, key, text) PictureInfo { #key, OptionKind::kind, text },
    TAM_PICTURE_OPTIONS(TAM_PICTURE_ROW)
#undef TAM_PICTURE_ROW
};

constexpr const OptionInfo& optionInfo(Option option)
{
    return kLoadedOptions[static_cast<std::size_t>(option)];
}

constexpr const ColorInfo& colorInfo(ColorOption option)
{
    return kColorOptions[static_cast<std::size_t>(option)];
}

constexpr const PictureInfo& pictureInfo(PictureOption option)
{
    return kPictureOptions[static_cast<std::size_t>(option)];
}

// Every option of the domain once: those read while loading, the colours and the pictures, in
// that order.
constexpr auto optionTable()
{
    std::array<OptionInfo, kLoadedOptions.size() + kColorOptions.size() + kPictureOptions.size()> rows {};
    std::size_t count = 0;
    for (auto& option : kLoadedOptions)
        rows[count++] = option;
    for (auto& color : kColorOptions)
        rows[count++] = OptionInfo { color.key, OptionKind::Color, 0, color.description };
    for (auto& picture : kPictureOptions)
        rows[count++] = OptionInfo { picture.key, picture.kind, 0, picture.description };
    return rows;
}

constexpr std::optional<OptionInfo> findOption(std::string_view key)
{
    for (auto& option : optionTable())
        if (option.key == key)
            return option;
    return std::nullopt;
}

// A key spelt twice would make two names read one stored value.
constexpr bool keysAreUnique()
{
    constexpr auto table = optionTable();
    for (std::size_t i = 0; i < table.size(); ++i)
        for (std::size_t j = i + 1; j < table.size(); ++j)
            if (table[i].key == table[j].key)
                return false;
    return true;
}
static_assert(keysAreUnique(), "every key of the domain is listed once");

}
