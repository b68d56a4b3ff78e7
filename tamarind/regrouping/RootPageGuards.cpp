#include <string>

#include "host/runtime/Runtime.h"
#include "tamarind/regrouping/RootListWalk.h"
#include "tamarind/regrouping/Rows.h"
#include "tamarind/startup/ReplacementTable.h"
#include "tamarind/startup/Settings.h"

// The replacements that keep the host from undoing the regrouped root list: it is never
// reloaded, later insertions are filtered, and follow-up rows are refreshed only when wanted.

namespace tamarind {

namespace {

using ReloadImp = void (*)(rt::Object*, rt::SEL);
using InsertImp = void (*)(rt::Object*, rt::SEL, rt::Object*, long, bool);
using FollowupImp = void (*)(rt::Object*, rt::SEL, rt::BlockBase*);

ReloadImp originalReload;
InsertImp originalInsert;
FollowupImp originalFollowup;

void reloadSpecifiers(rt::Object*, rt::SEL) { }

bool mayInsert(const std::string& id)
{
    auto& s = firstPass;
    if (id == "VPN")
        return !s.isConnectivityGroupingEnabled && s.vpnEnabled;
    if (id == "EMERGENCY_SOS")
        return !s.isGeneralGroupingEnabled && s.emergencyEnabled;
    if (id == "PASSBOOK")
        return !s.isGeneralGroupingEnabled && s.walletEnabled;
    if (id == "STORE" || id == "HOMEKIT" || id == "com.apple.podcasts")
        return !s.groupSystemAppsEnabled;
    if (id == "VIDEO_SUBSCRIBER")
        return !s.groupSystemAppsEnabled && s.tvProviderEnabled;
    return true;
}

void insertSpecifier(rt::Object* self, rt::SEL cmd, rt::Object* row, long index, bool animated)
{
    if (!firstPass.isCustomTableCellCustomizabilityEnabled || mayInsert(identifierOf(row)))
        originalInsert(self, cmd, row, index, animated);
}

void updateFollowups(rt::Object* self, rt::SEL cmd, rt::BlockBase* completion)
{
    if (firstPass.isFollowUpEnabled)
        originalFollowup(self, cmd, completion);
}

}

void installRootReloadSpecifiers(rt::Class* rootPage) { replace(rootPage, "reloadSpecifiers", &reloadSpecifiers, &originalReload); }
void installRootInsertSpecifier(rt::Class* rootPage) { replace(rootPage, "insertSpecifier:atIndex:animated:", &insertSpecifier, &originalInsert); }
void installRootFollowupUpdate(rt::Class* rootPage) { replace(rootPage, "updateFollowupSpecifiersWithCompletion:", &updateFollowups, &originalFollowup); }

}
