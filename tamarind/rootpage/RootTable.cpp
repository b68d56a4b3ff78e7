#include "tamarind/rootpage/RootTable.h"

#include "host/foundation/Geometry.h"
#include "host/foundation/String.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/RowIdentifiers.h"
#include "tamarind/core/Rows.h"
#include "tamarind/core/Settings.h"

namespace tamarind {

Saved<ScrollImp> originalRootScrollViewDidScroll;
Saved<RowHeightImp> originalRootHeightForRow;
Saved<CellForRowImp> originalRootCellForRow;
Saved<SelectRowImp> originalRootDidSelectRow;

namespace {

HostClass bannerCellClass("TMBannerCell");
HostClass profileListClass("MCProfileListController");

constexpr double kAccountRowHeight = 87.0;
constexpr long kDefaultCellStyle = 0;

long sectionOf(rt::Object* indexPath)
{
    return rt::send<long>(indexPath, SELECTOR("section"));
}
long rowOf(rt::Object* indexPath)
{
    return rt::send<long>(indexPath, SELECTOR("row"));
}

rt::Object* rowOfCell(rt::Object* cell)
{
    return rt::send<rt::Object*>(cell, SELECTOR("specifier"));
}

rt::Object* newBannerCell()
{
    rt::Object* cell = rt::send<rt::Object*>(rt::send<rt::Object*>(bannerCellClass.get(), SELECTOR("alloc")),
        SELECTOR("initWithStyle:reuseIdentifier:"), kDefaultCellStyle, ns(rowid::Banner));
    if (!cell)
        return nullptr;
    rt::autorelease(cell);
    rt::send(cell, SELECTOR("loadAnimatedImageIfNeeded"));
    return cell;
}

}

// While the list is pulled down past the bars (status bar and navigation bar together), a top
// inset of their height keeps its first rows below them; anywhere else the inset is zero. The
// host's own handler is not called.
void rootScrollViewDidScroll(rt::Object* self, rt::SEL, rt::Object* scrollView)
{
    double y = rt::send<CGPoint>(scrollView, SELECTOR("contentOffset")).y;
    rt::Object* bar = rt::send<rt::Object*>(
        rt::send<rt::Object*>(self, SELECTOR("navigationController")), SELECTOR("navigationBar"));
    rt::Object* app = rt::send<rt::Object*>(applicationClass.get(), SELECTOR("sharedApplication"));
    double barsHeight = rt::send<CGRect>(bar, SELECTOR("frame")).height()
        + rt::send<CGRect>(app, SELECTOR("statusBarFrame")).height();
    UIEdgeInsets inset {};
    if (y < -barsHeight)
        inset.top = barsHeight;
    rt::send(scrollView, SELECTOR("setContentInset:"), inset);
}

double rootHeightForRow(rt::Object* self, rt::SEL cmd, rt::Object* table, rt::Object* indexPath)
{
    const auto& s = firstPass;
    auto host = [&] { return originalRootHeightForRow(self, cmd, table, indexPath); };
    if (sectionOf(indexPath) == 0) {
        if (rowOf(indexPath) == 1)
            return kAccountRowHeight;
        // While the banner is on, it is the first row, and its own "height" (the banner height)
        // holds whatever else is set: the account row's height belongs to the account row.
        if (rowOf(indexPath) == 0) {
            if (s.isBannerEnabled)
                return host();
            return s.stockiCloud ? kAccountRowHeight : host();
        }
    }
    return s.isTableViewCellHeightEnabled ? static_cast<double>(s.tableViewCellHeight) : host();
}

// The banner row is an ordinary row to the host; its cell is the library's banner cell, made
// once and then reused, so its picture is loaded only when the cell is new.
rt::Object* rootCellForRow(rt::Object* self, rt::SEL cmd, rt::Object* table, rt::Object* indexPath)
{
    rt::Object* cell = originalRootCellForRow(self, cmd, table, indexPath);
    if (identifierView(rowOfCell(cell)) != rowid::Banner)
        return cell;
    if (rt::Object* reused
        = rt::send<rt::Object*>(table, SELECTOR("dequeueReusableCellWithIdentifier:"), ns(rowid::Banner)))
        return reused;
    rt::Object* banner = newBannerCell();
    return banner ? banner : cell;
}

// The profile follow-up row opens the profile list and its sheet for the profile waiting to be
// installed. Without the profile list class the host's handler takes the tap.
void rootDidSelectRow(rt::Object* self, rt::SEL cmd, rt::Object* table, rt::Object* indexPath)
{
    rt::Object* cell = rt::send<rt::Object*>(table, SELECTOR("cellForRowAtIndexPath:"), indexPath);
    if (identifierView(rowOfCell(cell)) != rowid::ProfileFollowUp || !profileListClass.get()) {
        originalRootDidSelectRow(self, cmd, table, indexPath);
        return;
    }
    auto profiles = rt::newObject(profileListClass.get());
    rt::send(self, SELECTOR("presentViewController:animated:completion:"), profiles.get(), true,
        static_cast<rt::BlockBase*>(nullptr));
    rt::send(profiles.get(), SELECTOR("_showSheetToInstallConfigurationProfileFromPurgatory"));
}

}
