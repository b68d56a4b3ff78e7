#pragma once

// Every option of the preferences domain, in reading order, with its kind and default.
// X(kind, key, default): the key is also the name of the setting.
//
// Kinds: Bool (boolForKey:), Integer (integerForKey:, 64-bit), Float (floatForKey:, held as a
// double), String (the stored object, retained), IntValue (the stored object's intValue, 0 when
// absent).

#define TAM_FIRST_PASS_OPTIONS(X)                      \
    X(Bool, tweakEnabled, true)                        \
    X(Bool, centerTitle, true)                         \
    X(Bool, isTitleVisible, true)                      \
    X(Bool, isTableViewCellHeightEnabled, true)        \
    X(Bool, iCloudPfP, false)                          \
    X(Bool, stockiCloud, false)                        \
    X(Bool, isOtherAccountButtonStyleEnabled, true)    \
    X(Bool, isBoldTitle, true)                         \
    X(Bool, isArrowAccessory, true)                    \
    X(Bool, isCustomLabelColor, false)                 \
    X(Bool, isCustomNavBarColor, false)                \
    X(Bool, isCustomAccColor, false)                   \
    X(Bool, isAccCellCustomNameEnabled, false)         \
    X(Bool, isSearchIconDisabled, false)               \
    X(Bool, isAccountIconDisabled, false)              \
    X(Bool, isSoftwareUpdateBadgeEnabled, false)       \
    X(Bool, isCenterLabels, false)                     \
    X(Bool, isSearchHidden, false)                     \
    X(Bool, isSmallTitle, false)                       \
    X(Bool, isStockiCloudPfpHidden, false)             \
    X(Bool, isSearchBGHidden, false)                   \
    X(Bool, isCustomScrollbarColorEnabled, false)      \
    X(Bool, isCustomSearchBarColorEnabled, false)      \
    X(Bool, isConnectivityGroupingEnabled, false)      \
    X(Bool, isScrollBarHiddenEnabled, false)           \
    X(Bool, isTopMenuEnabled, false)                   \
    X(Bool, isTopMenuConfirmationEnabled, true)        \
    X(Bool, isGeneralGroupingEnabled, false)           \
    X(Bool, isNotificationsGroupingEnabled, false)     \
    X(Bool, isCustomNavBarMenuColorEnabled, false)     \
    X(Bool, isBannerEnabled, false)                    \
    X(Bool, isBannerSpacerEnabled, false)              \
    X(Bool, isWhatJailbreakEnabled, false)             \
    X(Bool, isDeviceIDEnabled, false)                  \
    X(String, titleValue, 0)                           \
    X(String, accCellNameValue, 0)                     \
    X(String, accCellSubtitleValue, 0)                 \
    X(IntValue, accountImagePosition, 0)               \
    X(Integer, xOff, -50)                              \
    X(Integer, yOffset, 5)                             \
    X(Integer, xOff2, -90)                             \
    X(Integer, yOffset2, -1)                           \
    X(Integer, tableViewCellHeight, 66)                \
    X(Integer, searchBarCornerRadiusValue, 5)          \
    X(Integer, bannerHeight, 100)                      \
    X(Bool, uptimeCellEnabled, false)                  \
    X(Bool, isCustomTableCellCustomizabilityEnabled, false) \
    X(Bool, isFamilyEnabled, true)                     \
    X(Bool, isFollowUpEnabled, true)                   \
    X(Bool, airplaneModeEnabled, true)                 \
    X(Bool, wifiEnabled, true)                         \
    X(Bool, bluetoothEnabled, true)                    \
    X(Bool, ethernetEnabled, true)                     \
    X(Bool, cellularEnabled, true)                     \
    X(Bool, personalHotspotEnabled, true)              \
    X(Bool, vpnEnabled, true)                          \
    X(Bool, notificationsEnabled, true)                \
    X(Bool, soundsEnabled, true)                       \
    X(Bool, dndEnabled, true)                          \
    X(Bool, screentimeEnabled, true)                   \
    X(Bool, generalEnabled, true)                      \
    X(Bool, ccEnabled, true)                           \
    X(Bool, homescreenEnabled, true)                   \
    X(Bool, displayAndBrightnessEnabled, true)         \
    X(Bool, accessibilityEnabled, true)                \
    X(Bool, wallpaperEnabled, true)                    \
    X(Bool, siriEnabled, true)                         \
    X(Bool, sepEnabled, true)                          \
    X(Bool, exposureEnabled, true)                     \
    X(Bool, emergencyEnabled, true)                    \
    X(Bool, batteryEnabled, true)                      \
    X(Bool, privacyEnabled, true)                      \
    X(Bool, walletEnabled, true)                       \
    X(Bool, tvProviderEnabled, true)                   \
    X(Bool, groupTweaksEnabled, false)                 \
    X(Bool, groupThirdPartyAppsEnabled, false)         \
    X(Bool, groupSystemAppsEnabled, false)             \
    X(Integer, tableCellSpacingValue, 5)

#define TAM_SECOND_PASS_OPTIONS(X)                     \
    X(Bool, tweakEnabled, true)                        \
    X(Bool, disableSelectedBackground, false)          \
    X(Bool, centerTitle, true)                         \
    X(Bool, tableViewLabelsEnabled, true)              \
    X(Bool, isSeperatorsDisabled, true)                \
    X(Bool, isCustomBackgroundImageEnabled, false)     \
    X(Bool, isTableIconsEnabled, true)                 \
    X(Bool, isCircleIcons, true)                       \
    X(Bool, isArrowAccessory, true)                    \
    X(Bool, isSwitchesEnabled, true)                   \
    X(Bool, isCustomBackgroundColor, false)            \
    X(Bool, isCustomTableViewColor, false)             \
    X(Bool, isCustomLabelColor, false)                 \
    X(Bool, isCustomBorderColor, false)                \
    X(Bool, isCustomTitleColor, false)                 \
    X(Bool, isCenterLabels, false)                     \
    X(Bool, isDetailLabelEnabled, false)               \
    X(Bool, isSoftwareUpdateBadgeEnabled, false)       \
    X(Bool, isDefaultTweakIconEnabled, true)           \
    X(Bool, isCustomSwitchColor, false)                \
    X(Bool, isCustomDetailLabelColor, false)           \
    X(Bool, isCustomAccessoryColorEnabled, false)      \
    X(Bool, isCenterLabelsOnSubmenus, false)           \
    X(Bool, isSoftwareVersionSpoofingEnabled, false)   \
    X(Bool, isModelNameSpoofingEnabled, false)         \
    X(Bool, isModelNumberSpoofingEnabled, false)       \
    X(Bool, isSerialNumberSpoofingEnabled, false)      \
    X(Bool, isBatterySpoofingEnabled, false)           \
    X(Bool, isIPForWifiCellEnabled, false)             \
    X(Bool, isAmountOfStorageForGeneralEnabled, false) \
    X(Bool, isManualSliderAdjustment, false)           \
    X(Bool, isFakeStorageEnabled, false)               \
    X(String, customSoftwareVersionValue, 0)           \
    X(String, customModelNameValue, 0)                 \
    X(String, customModelNumberValue, 0)               \
    X(String, customSerialNumberValue, 0)              \
    X(String, customBatterySpoofingValue, 0)           \
    X(Integer, circleIconValue, 10)                    \
    X(Integer, borderWidthValue, 0)                    \
    X(Integer, tableViewCellInset, 1)                  \
    X(Integer, roundCornersCustomize, 20)              \
    X(Integer, storageValue, 128)                      \
    X(Float, backgroundImageBlurValue, 0.0)
