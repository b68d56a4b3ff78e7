#include "tamarind/startup/ReplacementTable.h"

#include "tamarind/deviceinfo/AppIcon.h"
#include "tamarind/deviceinfo/RootFooter.h"
#include "tamarind/deviceinfo/StorageCapacity.h"
#include "tamarind/deviceinfo/UptimeRow.h"
#include "tamarind/regrouping/ListPages.h"
#include "tamarind/regrouping/ModulePages.h"
#include "tamarind/regrouping/RootListWalk.h"
#include "tamarind/regrouping/RootPageGuards.h"
#include "tamarind/rootpage/AccountButton.h"
#include "tamarind/rootpage/AccountCell.h"
#include "tamarind/rootpage/LargeTitle.h"
#include "tamarind/rootpage/NavigationBarColors.h"
#include "tamarind/rootpage/RootListController.h"
#include "tamarind/rootpage/RootRowGates.h"
#include "tamarind/rootpage/RootTable.h"
#include "tamarind/rootpage/ScrollIndicator.h"
#include "tamarind/rootpage/SearchBar.h"
#include "tamarind/rootpage/SearchButton.h"
#include "tamarind/rootpage/TopMenu.h"
#include "tamarind/slider/SliderValueEntry.h"
#include "tamarind/styling/AccessoryTint.h"
#include "tamarind/styling/CellStyling.h"
#include "tamarind/styling/LargeTitleLabel.h"
#include "tamarind/styling/RootTextViews.h"
#include "tamarind/styling/RowSubtitles.h"
#include "tamarind/styling/SectionTitles.h"
#include "tamarind/styling/Separators.h"
#include "tamarind/styling/SliderLabel.h"
#include "tamarind/styling/Switches.h"
#include "tamarind/styling/TableBackground.h"
#include "tamarind/styling/TableStyle.h"
#include "tamarind/styling/UpdateBadge.h"

// The tables are built on first use rather than at namespace scope: the constructors that read
// them run before the library's ordinary static initialisers. Installation order matters only
// where two rows name the same class and selector; none do.

namespace tamarind {

std::span<const Replacement> firstGroup()
{
    static const Replacement rows[] = {
        replacing(
            "PSUIAppleAccountCell", "layoutSubviews", &accountCellLayoutSubviews, originalAccountCellLayoutSubviews),
        replacing("PSKeyboardNavigationSearchBar", "didMoveToWindow", &searchBarDidMoveToWindow,
            originalSearchBarDidMoveToWindow),
        adding("PSKeyboardNavigationSearchBar", "keyboardDidShow:", &searchBarKeyboardDidShow),
        replacing(
            "PSUIPrefsListController", "updateFamilyWithCompletion:", &rootUpdateFamily, originalRootUpdateFamily),
        replacing("PSUIPrefsListController", "reloadSpecifiers", &rootReloadSpecifiers, originalRootReload),
        replacing("PSUIPrefsListController", "tableView:heightForRowAtIndexPath:", &rootHeightForRow,
            originalRootHeightForRow),
        replacing("PSUIPrefsListController", "viewDidLoad", &rootViewDidLoad, originalRootViewDidLoad),
        replacing("PSUIPrefsListController", "viewDidLayoutSubviews", &rootViewDidLayoutSubviews,
            originalRootViewDidLayoutSubviews),
        replacing("PSUIPrefsListController", "traitCollectionDidChange:", &rootTraitCollectionDidChange,
            originalRootTraitCollectionDidChange),
        replacing("PSUIPrefsListController", "scrollViewDidScroll:", &rootScrollViewDidScroll,
            originalRootScrollViewDidScroll),
        replacing("PSUIPrefsListController", "tableView:didSelectRowAtIndexPath:", &rootDidSelectRow,
            originalRootDidSelectRow),
        adding("PSUIPrefsListController", "openAccountCell:", &openAccountCell),
        adding("PSUIPrefsListController", "toggleSearch:", &toggleSearch),
        adding("PSUIPrefsListController", "topMenuRespringTapGesture", &topMenuRespringTapGesture),
        adding("PSUIPrefsListController", "topMenuSafeModeTapGesture", &topMenuSafeModeTapGesture),
        adding("PSUIPrefsListController", "dismissTopMenu:", &dismissTopMenu),
        adding("PSUIPrefsListController", "initTopMenu", &initTopMenu),
        replacing("PSUIPrefsListController", "setTitle:", &rootSetTitle, originalRootSetTitle),
        replacing("PSUIPrefsListController", "bluetoothPowerChanged:", &rootBluetoothPowerChanged,
            originalRootBluetoothPowerChanged),
        replacing("PSUIPrefsListController", "shouldShowEthernetSpecifier", &rootShouldShowEthernet,
            originalRootShouldShowEthernet),
        replacing("PSUIPrefsListController", "updateVideoSubscriberAccountWithCompletion:", &rootUpdateVideoSubscriber,
            originalRootUpdateVideoSubscriber),
        replacing(
            "PSUIPrefsListController", "insertSpecifier:atIndex:animated:", &rootInsertSpecifier, originalRootInsert),
        replacing("PSUIPrefsListController", "_exposureNotificationAvailable", &rootExposureAvailable,
            originalRootExposureAvailable),
        replacing(
            "PSUIPrefsListController", "tableView:cellForRowAtIndexPath:", &rootCellForRow, originalRootCellForRow),
        replacing("PSUIPrefsListController", "specifiers", &rootSpecifiers, originalRootSpecifiers),
        replacing("PSUIPrefsListController",
            "_reallyLoadThirdPartySpecifiersForApps:withCompletion:", &loadThirdPartyRows, originalLoadThirdPartyRows),
        replacing("PSUIPrefsListController",
            "_reallyLoadThirdPartySpecifiersForApps:shouldAddAppClipSpecifier:withCompletion:",
            &loadThirdPartyRowsWithClips, originalLoadThirdPartyRowsWithClips),
        replacing("PSUIPrefsListController", "updateFollowupSpecifiersWithCompletion:", &rootUpdateFollowups,
            originalRootFollowups),
        replacing("PSUIPrefsListController", "tableView:viewForFooterInSection:", &rootViewForFooter,
            originalRootViewForFooter),
        replacing("PSUIPrefsListController", "tableView:heightForFooterInSection:", &rootHeightForFooter,
            originalRootHeightForFooter),
        replacing("UINavigationBar", "traitCollectionDidChange:", &navigationBarTraitCollectionDidChange,
            originalNavigationBarTraitCollectionDidChange),
        replacing("UINavigationBar", "updatePrompt", &navigationBarUpdatePrompt, originalNavigationBarUpdatePrompt),
        adding("UINavigationBar", "updateColors", &navigationBarUpdateColors),
        replacing("_UINavigationBarLargeTitleViewLayout", "layoutViews", &largeTitleLayoutViews,
            originalLargeTitleLayoutViews),
        replacing("_UINavigationBarLargeTitleViewLayout", "_textHeightForSize:titleType:", &largeTitleTextHeight,
            originalLargeTitleTextHeight),
        replacing("_UINavigationBarLargeTitleViewLayout", "setTitleLabel:", &largeTitleSetTitleLabel,
            originalLargeTitleSetTitleLabel),
        replacing("_UINavigationBarLargeTitleView", "layoutSubviews", &largeTitleViewLayoutSubviews,
            originalLargeTitleViewLayoutSubviews),
        replacing("_UISearchBarSearchFieldBackgroundView", "layoutSubviews", &searchFieldBackgroundLayoutSubviews,
            originalSearchFieldBackgroundLayoutSubviews),
        replacing("_UIScrollViewScrollIndicator", "didMoveToWindow", &scrollIndicatorDidMoveToWindow,
            originalScrollIndicatorDidMoveToWindow),
        replacing("PKIconImageCache", "imageForKey:", &iconCacheImageForKey, originalIconCacheImageForKey),
        addingProperty("PSGAboutController", "uptimeTimer", "NSTimer"),
        addingProperty("PSGAboutController", "uptimeSpecifier", "PSSpecifier"),
        addingProperty("PSGAboutController", "uptime", "NSString"),
        replacing("PSGAboutController", "viewWillAppear:", &aboutViewWillAppear, originalAboutViewWillAppear),
        replacing("PSGAboutController", "viewDidAppear:", &aboutViewDidAppear, originalAboutViewDidAppear),
        replacing("PSGAboutController", "reloadSpecifiers", &aboutReloadSpecifiers, originalAboutReloadSpecifiers),
        replacing("PSGAboutController", "viewWillDisappear:", &aboutViewWillDisappear, originalAboutViewWillDisappear),
        replacing("PSGAboutController", "tableView:cellForRowAtIndexPath:", &aboutCellForRow, originalAboutCellForRow),
        adding("PSGAboutController", "setUptimeText", &setUptimeText),
        replacing("ConnectivityRootListController", "specifiers", &filteredModuleSpecifiers<Module::Connectivity>,
            originalModuleSpecifiers<Module::Connectivity>),
        replacing("TMNotificationsRootListController", "specifiers", &filteredModuleSpecifiers<Module::Notifications>,
            originalModuleSpecifiers<Module::Notifications>),
        replacing("TMGeneralRootListController", "specifiers", &filteredModuleSpecifiers<Module::General>,
            originalModuleSpecifiers<Module::General>),
    };
    return rows;
}

// The second group's rows (cell, table and control styling and slider value entry) join here
// as those features land.
std::span<const Replacement> secondGroup()
{
    static const Replacement rows[] = {
        replacing("UILabel", "setCenter:", &labelSetCenter, originalLabelSetCenter),
        addingProperty("PSTableCell", "customDetailLabel", "UILabel"),
        addingProperty("PSTableCell", "origSystemColor", "NSString"),
        adding("PSTableCell", "isVPNConnected", &isVPNConnected),
        replacing("PSTableCell", "didMoveToWindow", &cellDidMoveToWindow, originalCellDidMoveToWindow),
        replacing("PSTableCell", "didMoveToSuperview", &cellDidMoveToSuperview, originalCellDidMoveToSuperview),
        replacing(
            "PSTableCell", "refreshCellContentsWithSpecifier:", &cellRefreshContents, originalCellRefreshContents),
        replacing("PSTableCell", "setSelected:animated:", &cellSetSelected, originalCellSetSelected),
        replacing("PSTableCell", "setHighlighted:animated:", &cellSetHighlighted, originalCellSetHighlighted),
        adding("PSTableCell", "setIPAddress", &setIPAddress),
        adding("PSTableCell", "setDiskUsage", &setDiskUsage),
        adding("PSTableCell", "loadSubtitle", &loadSubtitle),
        replacing("PSTableCell", "layoutSubviews", &cellLayoutSubviews, originalCellLayoutSubviews),
        replacing("PSTableCell", "traitCollectionDidChange:", &cellTraitCollectionDidChange,
            originalCellTraitCollectionDidChange),
        replacing("_UITableViewCellSeparatorView", "didMoveToWindow", &separatorDidMoveToWindow,
            originalSeparatorDidMoveToWindow),
        replacing("PSListController", "tableView:heightForFooterInSection:", &listPageFooterHeight,
            originalListPageFooterHeight),
        addingProperty("UITableView", "allTableFooterView", "UIView"),
        addingProperty("UITableView", "bgImageView", "UIImageView"),
        addingProperty("UITableView", "bgImage", "UIImage"),
        replacing("UITableView", "initWithFrame:style:", &tableInitWithFrameStyle, originalTableInitWithFrameStyle),
        replacing("UITableView", "_sectionContentInset", &tableSectionContentInset, originalTableSectionContentInset),
        replacing("UITableView", "_setSectionContentInset:", &tableSetSectionContentInset,
            originalTableSetSectionContentInset),
        replacing("UITableView", "didMoveToWindow", &tableDidMoveToWindow, originalTableDidMoveToWindow),
        replacing("UITableView", "traitCollectionDidChange:", &tableTraitCollectionDidChange,
            originalTableTraitCollectionDidChange),
        replacing("UITextView", "didMoveToWindow", &textViewDidMoveToWindow, originalTextViewDidMoveToWindow),
        replacing("PSSegmentableSlider", "layoutSubviews", &sliderLayoutSubviews, originalSliderLayoutSubviews),
        adding("PSSegmentableSlider", "_csp_sliderLabelFix", &sliderLabelFix),
        replacing("UISwitch", "didMoveToWindow", &switchDidMoveToWindow, originalSwitchDidMoveToWindow),
        replacing("PSCapacityBarView", "barData", &capacityBarData, originalCapacityBarData),
        replacing("PSCapacityBarView", "setBarData:", &capacitySetBarData, originalCapacitySetBarData),
        replacing("UITableViewCellContentView", "didMoveToWindow", &contentViewDidMoveToWindow,
            originalContentViewDidMoveToWindow),
        replacing("_UITableCellAccessoryButton", "layoutSubviews", &accessoryButtonLayoutSubviews,
            originalAccessoryButtonLayoutSubviews),
        replacing(
            "UITableViewCell", "didMoveToSuperview", &anyCellDidMoveToSuperview, originalAnyCellDidMoveToSuperview),
        replacing("UITableViewHeaderFooterView", "didMoveToWindow", &headerFooterDidMoveToWindow,
            originalHeaderFooterDidMoveToWindow),
        replacing(
            "PSSliderTableCell", "initWithStyle:reuseIdentifier:specifier:", &sliderCellInit, originalSliderCellInit),
        adding("PSSliderTableCell", "tapAction:", &sliderCellTapAction),
    };
    return rows;
}

}
