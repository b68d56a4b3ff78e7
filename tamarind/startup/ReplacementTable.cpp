#include "tamarind/startup/ReplacementTable.h"

#include "tamarind/regrouping/ListPages.h"
#include "tamarind/regrouping/ModulePages.h"
#include "tamarind/regrouping/RootListWalk.h"
#include "tamarind/rootpage/RootListController.h"
#include "tamarind/startup/HostClasses.h"

namespace tamarind {

namespace {

// Installation order matters only where two rows name the same class and selector; none do.
const Replacement kFirstGroup[] = {
    { "PSUIPrefsListController", "reloadSpecifiers", &installRootReloadSpecifiers },
    { "PSUIPrefsListController", "viewDidLoad", &installRootViewDidLoad },
    { "PSUIPrefsListController", "insertSpecifier:atIndex:animated:", &installRootInsertSpecifier },
    { "PSUIPrefsListController", "specifiers", &installRootSpecifiers },
    { "PSUIPrefsListController", "_reallyLoadThirdPartySpecifiersForApps:withCompletion:", &installThirdPartyLoading },
    { "PSUIPrefsListController", "_reallyLoadThirdPartySpecifiersForApps:shouldAddAppClipSpecifier:withCompletion:",
        &installThirdPartyLoadingWithAppClips },
    { "PSUIPrefsListController", "updateFollowupSpecifiersWithCompletion:", &installRootFollowupUpdate },
    { "ConnectivityRootListController", "specifiers", &installConnectivityFilter },
    { "TMNotificationsRootListController", "specifiers", &installNotificationsFilter },
    { "TMGeneralRootListController", "specifiers", &installGeneralFilter },
};

const Replacement kSecondGroup[] = {
    { nullptr, nullptr, nullptr },
};

template<std::size_t N>
void installAll(const Replacement (&table)[N])
{
    for (auto& row : table)
        if (row.install)
            row.install(rt::getClass(row.className));
}

}

void installReplacements(ReplacementGroup group)
{
    if (group == ReplacementGroup::First)
        installAll(kFirstGroup);
    else
        installAll(kSecondGroup);
}

}
