#include "OptionGroups.h"

#include <initializer_list>

#include "tamarind/core/OptionTable.h"

namespace {

// A key of the option table by its name in code, so that a misspelt key fails the build.
struct OptionName {
    OptionName(tamarind::Option option)
        : key(tamarind::optionInfo(option).key)
    {
    }
    OptionName(tamarind::ColorOption option)
        : key(tamarind::colorInfo(option).key)
    {
    }
    OptionName(tamarind::PictureOption option)
        : key(tamarind::pictureInfo(option).key)
    {
    }
    std::string_view key;
};

std::vector<std::string_view> keys(std::initializer_list<OptionName> names)
{
    std::vector<std::string_view> list;
    for (auto& name : names)
        list.push_back(name.key);
    return list;
}

}

const std::vector<OptionGroup>& optionGroups()
{
    using enum tamarind::Option;
    using enum tamarind::ColorOption;
    using enum tamarind::PictureOption;
    static const std::vector<OptionGroup> groups = {
        { "Master switches", keys({ tweakEnabled, isCustomTableCellCustomizabilityEnabled }) },
        { "Root page title and bars",
            keys({ isTitleVisible, titleValue, centerTitle, isBoldTitle, isSmallTitle, isCustomTitleColor, colorTitle,
                isCustomNavBarColor, colorNavbarText, colorNavbarLight, colorNavbarDark, isScrollBarHiddenEnabled,
                isCustomScrollbarColorEnabled, colorScrollbar }) },
        { "Account and search",
            keys({ stockiCloud, iCloudPfP, isOtherAccountButtonStyleEnabled, isAccountIconDisabled, isCustomAccColor,
                colorAccountButtonLight, colorAccountButtonDark, xOff, yOffset, isAccCellCustomNameEnabled,
                accCellNameValue, accCellSubtitleValue, accountImagePosition, isStockiCloudPfpHidden,
                isSearchIconDisabled, xOff2, yOffset2, isSearchHidden, isSearchBGHidden, isCustomSearchBarColorEnabled,
                colorSearchBar, searchBarCornerRadiusValue }) },
        { "Gear menu",
            keys({ isTopMenuEnabled, isTopMenuConfirmationEnabled, isCustomNavBarMenuColorEnabled, colorNavBarMenu }) },
        { "Banner", keys({ isBannerEnabled, bannerImage, bannerHeight, isBannerSpacerEnabled }) },
        { "Modules and lists",
            keys({ isConnectivityGroupingEnabled, isNotificationsGroupingEnabled, isGeneralGroupingEnabled,
                groupTweaksEnabled, groupThirdPartyAppsEnabled, groupSystemAppsEnabled }) },
        { "Rows on the root list",
            keys({ isFamilyEnabled, isFollowUpEnabled, airplaneModeEnabled, wifiEnabled, bluetoothEnabled,
                ethernetEnabled, cellularEnabled, personalHotspotEnabled, vpnEnabled, notificationsEnabled,
                soundsEnabled, dndEnabled, screentimeEnabled, generalEnabled, ccEnabled, homescreenEnabled,
                displayAndBrightnessEnabled, accessibilityEnabled, wallpaperEnabled, siriEnabled, sepEnabled,
                exposureEnabled, emergencyEnabled, batteryEnabled, privacyEnabled, walletEnabled,
                tvProviderEnabled }) },
        { "Row look",
            keys({ isTableViewCellHeightEnabled, tableViewCellHeight, tableViewLabelsEnabled, isDetailLabelEnabled,
                isCenterLabels, isCenterLabelsOnSubmenus, isCustomLabelColor, colorTopLabel, colorBottomLabel,
                isCustomDetailLabelColor, colorDetail, isArrowAccessory, isCustomAccessoryColorEnabled, colorAccessory,
                isTableIconsEnabled, isCircleIcons, circleIconValue, isDefaultTweakIconEnabled,
                disableSelectedBackground, isSoftwareUpdateBadgeEnabled }) },
        { "Tables and background",
            keys({ tableCellSpacingValue, tableViewCellInset, roundCornersCustomize, isSeperatorsDisabled,
                isCustomBorderColor, colorBorder, borderWidthValue, isCustomTableViewColor, colorBackgroundTableLight,
                colorBackgroundTableDark, isCustomBackgroundColor, colorBackground, isCustomBackgroundImageEnabled,
                backgroundImageLight, backgroundImageDark, backgroundImageBlurValue }) },
        { "Switches and sliders",
            keys({ isSwitchesEnabled, isCustomSwitchColor, colorOnSwitch, colorOffSwitch, isManualSliderAdjustment }) },
        { "Device information",
            keys({ isDeviceIDEnabled, isWhatJailbreakEnabled, uptimeCellEnabled, isIPForWifiCellEnabled,
                isAmountOfStorageForGeneralEnabled, isSoftwareVersionSpoofingEnabled, customSoftwareVersionValue,
                isModelNameSpoofingEnabled, customModelNameValue, isModelNumberSpoofingEnabled, customModelNumberValue,
                isSerialNumberSpoofingEnabled, customSerialNumberValue, isBatterySpoofingEnabled,
                customBatterySpoofingValue, isFakeStorageEnabled, storageValue }) },
    };
    return groups;
}

std::optional<OptionRange> optionRange(std::string_view key)
{
    // The blur is the alpha of a layer over the background picture: 0 leaves the picture
    // uncovered, 1 covers it.
    if (key == tamarind::optionInfo(tamarind::Option::backgroundImageBlurValue).key)
        return OptionRange { 0, 1, 0.01 };
    return std::nullopt;
}
