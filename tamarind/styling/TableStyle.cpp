#include "tamarind/styling/TableStyle.h"

#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/Settings.h"
#include "tamarind/styling/PageKinds.h"

namespace tamarind {

Saved<TableInitImp> originalTableInitWithFrameStyle;
Saved<SectionInsetImp> originalTableSectionContentInset;
Saved<SetSectionInsetImp> originalTableSetSectionContentInset;
Saved<FooterHeightImp> originalListPageFooterHeight;

namespace {

constexpr long kInsetGroupedStyle = 2;

HostClass notificationsModuleClass("TMNotificationsRootListController");

}

// A table normally meets its page only after it was made, so this applies to a table that is
// initialised again, or made by a view that already sits in a page; any other table keeps the
// style it asked for.
rt::Object* tableInitWithFrameStyle(rt::Object* table, rt::SEL cmd, CGRect frame, long style)
{
    if (isInPreferencePage(table))
        style = kInsetGroupedStyle;
    return originalTableInitWithFrameStyle(table, cmd, frame, style);
}

UIEdgeInsets tableSectionContentInset(rt::Object* table, rt::SEL cmd)
{
    UIEdgeInsets insets = originalTableSectionContentInset(table, cmd);
    if (isInPreferencePage(table)) {
        auto side = static_cast<double>(secondPass.tableViewCellInset);
        insets.left = side;
        insets.right = side;
    }
    return insets;
}

void tableSetSectionContentInset(rt::Object* table, rt::SEL cmd, UIEdgeInsets insets)
{
    originalTableSetSectionContentInset(table, cmd, insets);
}

// The class test is exact: a page that subclasses a module page keeps the host's footers.
double listPageFooterHeight(rt::Object* page, rt::SEL cmd, rt::Object* table, long section)
{
    rt::Class* cls = page ? page->isa() : nullptr;
    if (cls && (cls == generalModuleClass.get() || cls == notificationsModuleClass.get()))
        return 0;
    return originalListPageFooterHeight(page, cmd, table, section);
}

}
