#include "tamarind/core/Grouping.h"

#include "tamarind/core/Settings.h"

namespace tamarind {

bool regroupingEnabled()
{
    return firstPass.isCustomTableCellCustomizabilityEnabled;
}

bool groupingOn(Module module)
{
    switch (module) {
    case Module::None:
        return false;
    case Module::Connectivity:
        return firstPass.isConnectivityGroupingEnabled;
    case Module::Notifications:
        return firstPass.isNotificationsGroupingEnabled;
    case Module::General:
        return firstPass.isGeneralGroupingEnabled;
    case Module::Tweaks:
        return firstPass.groupTweaksEnabled;
    case Module::Apps:
        return firstPass.groupThirdPartyAppsEnabled;
    case Module::SystemApps:
        return firstPass.groupSystemAppsEnabled;
    }
    return false;
}

}
