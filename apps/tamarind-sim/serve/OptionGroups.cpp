#include "OptionGroups.h"

const std::vector<OptionGroup>& optionGroups()
{
    static const std::vector<OptionGroup> groups = {
        { "Master switches", { "tweakEnabled", "isCustomTableCellCustomizabilityEnabled" } },
        { "Root page title and bars",
            { "isTitleVisible", "titleValue", "centerTitle", "isBoldTitle", "isSmallTitle", "isCustomTitleColor",
                "colorTitle", "isCustomNavBarColor", "colorNavbarText", "colorNavbarLight", "colorNavbarDark",
                "isScrollBarHiddenEnabled", "isCustomScrollbarColorEnabled", "colorScrollbar" } },
        { "Account and search",
            { "stockiCloud", "iCloudPfP", "isOtherAccountButtonStyleEnabled", "isAccountIconDisabled",
                "isCustomAccColor", "colorAccountButtonLight", "colorAccountButtonDark", "xOff", "yOffset",
                "isAccCellCustomNameEnabled", "accCellNameValue", "accCellSubtitleValue", "accountImagePosition",
                "isStockiCloudPfpHidden", "isSearchIconDisabled", "xOff2", "yOffset2", "isSearchHidden",
                "isSearchBGHidden", "isCustomSearchBarColorEnabled", "colorSearchBar",
                "searchBarCornerRadiusValue" } },
        { "Gear menu",
            { "isTopMenuEnabled", "isTopMenuConfirmationEnabled", "isCustomNavBarMenuColorEnabled",
                "colorNavBarMenu" } },
        { "Banner", { "isBannerEnabled", "bannerImage", "bannerHeight", "isBannerSpacerEnabled" } },
        { "Modules and lists",
            { "isConnectivityGroupingEnabled", "isNotificationsGroupingEnabled", "isGeneralGroupingEnabled",
                "groupTweaksEnabled", "groupThirdPartyAppsEnabled", "groupSystemAppsEnabled" } },
        { "Rows on the root list",
            { "isFamilyEnabled", "isFollowUpEnabled", "airplaneModeEnabled", "wifiEnabled", "bluetoothEnabled",
                "ethernetEnabled", "cellularEnabled", "personalHotspotEnabled", "vpnEnabled", "notificationsEnabled",
                "soundsEnabled", "dndEnabled", "screentimeEnabled", "generalEnabled", "ccEnabled",
                "homescreenEnabled", "displayAndBrightnessEnabled", "accessibilityEnabled", "wallpaperEnabled",
                "siriEnabled", "sepEnabled", "exposureEnabled", "emergencyEnabled", "batteryEnabled",
                "privacyEnabled", "walletEnabled", "tvProviderEnabled" } },
        { "Row look",
            { "isTableViewCellHeightEnabled", "tableViewCellHeight", "tableViewLabelsEnabled", "isDetailLabelEnabled",
                "isCenterLabels", "isCenterLabelsOnSubmenus", "isCustomLabelColor", "colorTopLabel",
                "colorBottomLabel", "isCustomDetailLabelColor", "colorDetail", "isArrowAccessory",
                "isCustomAccessoryColorEnabled", "colorAccessory", "isTableIconsEnabled", "isCircleIcons",
                "circleIconValue", "isDefaultTweakIconEnabled", "disableSelectedBackground",
                "isSoftwareUpdateBadgeEnabled" } },
        { "Tables and background",
            { "tableCellSpacingValue", "tableViewCellInset", "roundCornersCustomize", "isSeperatorsDisabled",
                "isCustomBorderColor", "colorBorder", "borderWidthValue", "isCustomTableViewColor",
                "colorBackgroundTableLight", "colorBackgroundTableDark", "isCustomBackgroundColor", "colorBackground",
                "isCustomBackgroundImageEnabled", "backgroundImageLight", "backgroundImageDark",
                "backgroundImageBlurValue" } },
        { "Switches and sliders",
            { "isSwitchesEnabled", "isCustomSwitchColor", "colorOnSwitch", "colorOffSwitch",
                "isManualSliderAdjustment" } },
        { "Device information",
            { "isDeviceIDEnabled", "isWhatJailbreakEnabled", "uptimeCellEnabled", "isIPForWifiCellEnabled",
                "isAmountOfStorageForGeneralEnabled", "isSoftwareVersionSpoofingEnabled",
                "customSoftwareVersionValue", "isModelNameSpoofingEnabled", "customModelNameValue",
                "isModelNumberSpoofingEnabled", "customModelNumberValue", "isSerialNumberSpoofingEnabled",
                "customSerialNumberValue", "isBatterySpoofingEnabled", "customBatterySpoofingValue",
                "isFakeStorageEnabled", "storageValue" } },
    };
    return groups;
}

std::optional<OptionRange> optionRange(std::string_view key)
{
    // The blur is the alpha of a layer over the background picture: 0 leaves the picture
    // uncovered, 1 covers it.
    if (key == "backgroundImageBlurValue")
        return OptionRange { 0, 1, 0.01 };
    return std::nullopt;
}
