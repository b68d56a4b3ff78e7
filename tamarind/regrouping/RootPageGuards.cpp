#include "tamarind/regrouping/RootPageGuards.h"

#include "tamarind/core/Grouping.h"
#include "tamarind/core/Rows.h"
#include "tamarind/core/Settings.h"
#include "tamarind/regrouping/RootRules.h"

namespace tamarind {

Saved<ReloadImp> originalRootReload;
Saved<InsertImp> originalRootInsert;
Saved<FollowupImp> originalRootFollowups;

namespace {

bool mayInsert(rt::Object* row)
{
    const RowRule* rule = rowRule(identifierView(row));
    if (!rule || rule->insertion == Insertion::Always)
        return true;
    return !groupingOn(rule->module) && switchOn(*rule);
}

}

void rootReloadSpecifiers(rt::Object*, rt::SEL) { }

void rootInsertSpecifier(rt::Object* self, rt::SEL cmd, rt::Object* row, long index, bool animated)
{
    if (!regroupingEnabled() || mayInsert(row))
        originalRootInsert(self, cmd, row, index, animated);
}

void rootUpdateFollowups(rt::Object* self, rt::SEL cmd, rt::BlockBase* completion)
{
    if (firstPass.isFollowUpEnabled)
        originalRootFollowups(self, cmd, completion);
}
}
