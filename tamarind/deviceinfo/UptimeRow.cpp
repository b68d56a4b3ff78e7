#include "tamarind/deviceinfo/UptimeRow.h"

#include "host/foundation/Number.h"
#include "host/foundation/String.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/RowIdentifiers.h"
#include "tamarind/core/Rows.h"
#include "tamarind/core/Settings.h"
#include "tamarind/deviceinfo/Uptime.h"

namespace tamarind {

Saved<AppearanceImp> originalAboutViewWillAppear;
Saved<AppearanceImp> originalAboutViewDidAppear;
Saved<ReloadImp> originalAboutReloadSpecifiers;
Saved<AppearanceImp> originalAboutViewWillDisappear;
Saved<CellForRowImp> originalAboutCellForRow;

namespace {

constexpr long kTitleValueCell = 4;
constexpr long kNoRowAnimation = 5;

bool enabled()
{
    return firstPass.uptimeCellEnabled;
}

void setProperty(rt::Object* row, rt::Object* value, const char* key)
{
    rt::send(row, SELECTOR("setProperty:forKey:"), value, ns(key));
}

rt::Object* makeUptimeRow(rt::Object* page)
{
    static HostClass specifier("PSSpecifier");
    return rt::send<rt::Object*>(specifier.get(), SELECTOR("preferenceSpecifierNamed:target:set:get:detail:cell:edit:"),
        ns(rowid::DeviceUptime), page, static_cast<rt::SEL>(nullptr), static_cast<rt::SEL>(nullptr),
        static_cast<rt::Class*>(nullptr), kTitleValueCell, static_cast<rt::Class*>(nullptr));
}

// Where the row stands in the page's sections (group rows start sections), or false when the page
// no longer holds it.
bool indexPathOf(rt::Object* page, rt::Object* target, long& section, long& row)
{
    rt::Object* rows = pageIvar(page, "_specifiers");
    section = -1;
    row = 0;
    for (unsigned long i = 0, n = target ? countOf(rows) : 0; i < n; ++i) {
        rt::Object* item = objectAt(rows, i);
        if (rt::send<long>(item, SELECTOR("cellType")) == 0) {
            ++section;
            row = 0;
            continue;
        }
        section = std::max(section, 0L);
        if (item == target)
            return true;
        ++row;
    }
    return false;
}

}

void aboutViewWillAppear(rt::Object* self, rt::SEL cmd, bool animated)
{
    originalAboutViewWillAppear(self, cmd, animated);
    if (!enabled())
        return;
    static HostClass timerClass("NSTimer");
    rt::Object* timer = rt::send<rt::Object*>(timerClass.get(),
        SELECTOR("scheduledTimerWithTimeInterval:target:selector:userInfo:repeats:"), 1.0, self,
        rt::sel("setUptimeText"), static_cast<rt::Object*>(nullptr), true);
    rt::send(self, SELECTOR("setUptimeTimer:"), timer);
}

void aboutViewDidAppear(rt::Object* self, rt::SEL cmd, bool animated)
{
    originalAboutViewDidAppear(self, cmd, animated);
    if (enabled())
        rt::send(self, SELECTOR("reloadSpecifiers"));
}

// A host reload builds the rows afresh, so after each one the row is inserted again and the
// property then holds the new row.
void aboutReloadSpecifiers(rt::Object* self, rt::SEL cmd)
{
    originalAboutReloadSpecifiers(self, cmd);
    if (!enabled())
        return;
    rt::Object* current = rt::send<rt::Object*>(self, SELECTOR("uptimeSpecifier"));
    if (current && rt::send<bool>(self, SELECTOR("containsSpecifier:"), current))
        return;
    rt::Object* group = emptyGroupRow();
    setProperty(group, ns(rowid::UptimeGroup), "id");
    rt::send(self, SELECTOR("insertSpecifier:afterSpecifierID:animated:"), group, ns(rowid::SerialNumber), false);
    rt::Object* row = makeUptimeRow(self);
    rt::send(self, SELECTOR("setUptimeSpecifier:"), row);
    setProperty(row, ns(rowid::DeviceUptime), "id");
    setProperty(row, ns("0"), "value");
    setProperty(row, rt::autorelease(NSNumber::withInteger(1)), "useHighLegiblityAlternate");
    rt::send(self, SELECTOR("insertSpecifier:afterSpecifierID:animated:"), row, ns(rowid::UptimeGroup), false);
}

rt::Object* aboutCellForRow(rt::Object* self, rt::SEL cmd, rt::Object* table, rt::Object* indexPath)
{
    rt::Object* cell = originalAboutCellForRow(self, cmd, table, indexPath);
    if (!enabled() || identifierView(rt::send<rt::Object*>(cell, SELECTOR("specifier"))) != rowid::DeviceUptime)
        return cell;
    rt::send(rt::send<rt::Object*>(cell, SELECTOR("textLabel")), SELECTOR("setText:"), ns("Uptime"));
    rt::send(rt::send<rt::Object*>(cell, SELECTOR("detailTextLabel")), SELECTOR("setText:"),
        rt::send<rt::Object*>(self, SELECTOR("uptime")));
    return cell;
}

void aboutViewWillDisappear(rt::Object* self, rt::SEL cmd, bool animated)
{
    originalAboutViewWillDisappear(self, cmd, animated);
    if (enabled())
        rt::send(rt::send<rt::Object*>(self, SELECTOR("uptimeTimer")), SELECTOR("invalidate"));
}

// Reloads the uptime row where it stands, which is row 0 of section 1 when the serial number
// lies in the first section. When the page no longer shows the row (a page without the serial
// number puts it elsewhere, a page the host rebuilt has not had it inserted yet), the row that
// is reloaded is the uptime row or none.
void setUptimeText(rt::Object* self, rt::SEL)
{
    rt::send(self, SELECTOR("setUptime:"), ns(uptimeText(uptimeSeconds())));
    rt::Object* table = pageIvar(self, "_table");
    long section = 0, row = 0;
    if (!indexPathOf(self, rt::send<rt::Object*>(self, SELECTOR("uptimeSpecifier")), section, row))
        return;
    if (section >= rt::send<long>(table, SELECTOR("numberOfSections"))
        || row >= rt::send<long>(table, SELECTOR("numberOfRowsInSection:"), section))
        return;
    static HostClass indexPathClass("NSIndexPath");
    rt::Object* paths = newMutableArray();
    append(paths, rt::send<rt::Object*>(indexPathClass.get(), SELECTOR("indexPathForRow:inSection:"), row, section));
    rt::send(table, SELECTOR("reloadRowsAtIndexPaths:withRowAnimation:"), paths, kNoRowAnimation);
}

}
