#pragma once

#include "tamarind/core/OptionTable.h"

// The two reading passes of the preferences domain, in reading order: X(key) for each key the
// pass reads, its kind and default taken from the option table. Six keys are read by both
// passes, into two copies.

#define TAM_FIRST_PASS_OPTIONS(X)                                                                                      \
    X(tweakEnabled)                                                                                                    \
    X(centerTitle)                                                                                                     \
    X(isTitleVisible)                                                                                                  \
    X(isTableViewCellHeightEnabled)                                                                                    \
    X(iCloudPfP)                                                                                                       \
    X(stockiCloud)                                                                                                     \
    X(isOtherAccountButtonStyleEnabled)                                                                                \
    X(isBoldTitle)                                                                                                     \
    X(isArrowAccessory)                                                                                                \
    X(isCustomLabelColor)                                                                                              \
    X(isCustomNavBarColor)                                                                                             \
    X(isCustomAccColor)                                                                                                \
    X(isAccCellCustomNameEnabled)                                                                                      \
    X(isSearchIconDisabled)                                                                                            \
    X(isAccountIconDisabled)                                                                                           \
    X(isSoftwareUpdateBadgeEnabled)                                                                                    \
    X(isCenterLabels)                                                                                                  \
    X(isSearchHidden)                                                                                                  \
    X(isSmallTitle)                                                                                                    \
    X(isStockiCloudPfpHidden)                                                                                          \
    X(isSearchBGHidden)                                                                                                \
    X(isCustomScrollbarColorEnabled)                                                                                   \
    X(isCustomSearchBarColorEnabled)                                                                                   \
    X(isConnectivityGroupingEnabled)                                                                                   \
    X(isScrollBarHiddenEnabled)                                                                                        \
    X(isTopMenuEnabled)                                                                                                \
    X(isTopMenuConfirmationEnabled)                                                                                    \
    X(isGeneralGroupingEnabled)                                                                                        \
    X(isNotificationsGroupingEnabled)                                                                                  \
    X(isCustomNavBarMenuColorEnabled)                                                                                  \
    X(isBannerEnabled)                                                                                                 \
    X(isBannerSpacerEnabled)                                                                                           \
    X(isWhatJailbreakEnabled)                                                                                          \
    X(isDeviceIDEnabled)                                                                                               \
    X(titleValue)                                                                                                      \
    X(accCellNameValue)                                                                                                \
    X(accCellSubtitleValue)                                                                                            \
    X(accountImagePosition)                                                                                            \
    X(xOff)                                                                                                            \
    X(yOffset)                                                                                                         \
    X(xOff2)                                                                                                           \
    X(yOffset2)                                                                                                        \
    X(tableViewCellHeight)                                                                                             \
    X(searchBarCornerRadiusValue)                                                                                      \
    X(bannerHeight)                                                                                                    \
    X(uptimeCellEnabled)                                                                                               \
    X(isCustomTableCellCustomizabilityEnabled)                                                                         \
    X(isFamilyEnabled)                                                                                                 \
    X(isFollowUpEnabled)                                                                                               \
    X(airplaneModeEnabled)                                                                                             \
    X(wifiEnabled)                                                                                                     \
    X(bluetoothEnabled)                                                                                                \
    X(ethernetEnabled)                                                                                                 \
    X(cellularEnabled)                                                                                                 \
    X(personalHotspotEnabled)                                                                                          \
    X(vpnEnabled)                                                                                                      \
    X(notificationsEnabled)                                                                                            \
    X(soundsEnabled)                                                                                                   \
    X(dndEnabled)                                                                                                      \
    X(screentimeEnabled)                                                                                               \
    X(generalEnabled)                                                                                                  \
    X(ccEnabled)                                                                                                       \
    X(homescreenEnabled)                                                                                               \
    X(displayAndBrightnessEnabled)                                                                                     \
    X(accessibilityEnabled)                                                                                            \
    X(wallpaperEnabled)                                                                                                \
    X(siriEnabled)                                                                                                     \
    X(sepEnabled)                                                                                                      \
    X(exposureEnabled)                                                                                                 \
    X(emergencyEnabled)                                                                                                \
    X(batteryEnabled)                                                                                                  \
    X(privacyEnabled)                                                                                                  \
    X(walletEnabled)                                                                                                   \
    X(tvProviderEnabled)                                                                                               \
    X(groupTweaksEnabled)                                                                                              \
    X(groupThirdPartyAppsEnabled)                                                                                      \
    X(groupSystemAppsEnabled)                                                                                          \
    X(tableCellSpacingValue)

#define TAM_SECOND_PASS_OPTIONS(X)                                                                                     \
    X(tweakEnabled)                                                                                                    \
    X(disableSelectedBackground)                                                                                       \
    X(centerTitle)                                                                                                     \
    X(tableViewLabelsEnabled)                                                                                          \
    X(isSeperatorsDisabled)                                                                                            \
    X(isCustomBackgroundImageEnabled)                                                                                  \
    X(isTableIconsEnabled)                                                                                             \
    X(isCircleIcons)                                                                                                   \
    X(isArrowAccessory)                                                                                                \
    X(isSwitchesEnabled)                                                                                               \
    X(isCustomBackgroundColor)                                                                                         \
    X(isCustomTableViewColor)                                                                                          \
    X(isCustomLabelColor)                                                                                              \
    X(isCustomBorderColor)                                                                                             \
    X(isCustomTitleColor)                                                                                              \
    X(isCenterLabels)                                                                                                  \
    X(isDetailLabelEnabled)                                                                                            \
    X(isSoftwareUpdateBadgeEnabled)                                                                                    \
    X(isDefaultTweakIconEnabled)                                                                                       \
    X(isCustomSwitchColor)                                                                                             \
    X(isCustomDetailLabelColor)                                                                                        \
    X(isCustomAccessoryColorEnabled)                                                                                   \
    X(isCenterLabelsOnSubmenus)                                                                                        \
    X(isSoftwareVersionSpoofingEnabled)                                                                                \
    X(isModelNameSpoofingEnabled)                                                                                      \
    X(isModelNumberSpoofingEnabled)                                                                                    \
    X(isSerialNumberSpoofingEnabled)                                                                                   \
    X(isBatterySpoofingEnabled)                                                                                        \
    X(isIPForWifiCellEnabled)                                                                                          \
    X(isAmountOfStorageForGeneralEnabled)                                                                              \
    X(isManualSliderAdjustment)                                                                                        \
    X(isFakeStorageEnabled)                                                                                            \
    X(customSoftwareVersionValue)                                                                                      \
    X(customModelNameValue)                                                                                            \
    X(customModelNumberValue)                                                                                          \
    X(customSerialNumberValue)                                                                                         \
    X(customBatterySpoofingValue)                                                                                      \
    X(circleIconValue)                                                                                                 \
    X(borderWidthValue)                                                                                                \
    X(tableViewCellInset)                                                                                              \
    X(roundCornersCustomize)                                                                                           \
    X(storageValue)                                                                                                    \
    X(backgroundImageBlurValue)

namespace tamarind {

// An option of the table that neither pass reads would be shown by tools but never take effect.
constexpr bool everyOptionIsRead()
{
    std::array<bool, kLoadedOptions.size()> read {};
#define TAM_MARK_READ(key) read[static_cast<std::size_t>(Option::key)] = true;
    TAM_FIRST_PASS_OPTIONS(TAM_MARK_READ)
    TAM_SECOND_PASS_OPTIONS(TAM_MARK_READ)
#undef TAM_MARK_READ
    for (bool wasRead : read)
        if (!wasRead)
            return false;
    return true;
}
static_assert(everyOptionIsRead(), "every option read while loading belongs to a reading pass");

}
