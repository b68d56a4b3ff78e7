#include "host/foundation/String.h"
#include "host/preferences/PSListController.h"
#include "host/preferences/PSSpecifier.h"
#include "host/preferences/SettingsSplitView.h"
#include "host/uikit/UIView.h"

// The list page as its table's data source and delegate: sections from group rows, a cell per
// row made (or reused) by the page, heights from the row's "height" property.

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

PSListController* listPage(Object* o) { return static_cast<PSListController*>(o); }

constexpr long UITableViewStyleInsetGrouped = 2;
constexpr double UITableViewAutomaticDimension = -1;

long sectionOf(Object* indexPath) { return rt::send<long>(indexPath, SELECTOR("section")); }
long rowOf(Object* indexPath) { return rt::send<long>(indexPath, SELECTOR("row")); }

void loadView(Object* self, SEL)
{
    Class* tableClass = rt::getClass("UITableView");
    CGRect frame = rt::send<CGRect>(rt::send<Object*>(rt::getClass("UIScreen"), SELECTOR("mainScreen")), SELECTOR("bounds"));
    auto table = rt::adopt(rt::send<Object*>(rt::send<Object*>(tableClass, SELECTOR("alloc")), SELECTOR("initWithFrame:style:"),
        frame, UITableViewStyleInsetGrouped));
    rt::send(table, SELECTOR("setDataSource:"), self);
    rt::send(table, SELECTOR("setDelegate:"), self);
    listPage(self)->setTable(table.get());
    rt::send(self, SELECTOR("setView:"), table.get());
}

long numberOfSections(Object* self, SEL, Object*) { return static_cast<long>(listPage(self)->sections().size()); }

long numberOfRows(Object* self, SEL, Object*, long section)
{
    auto all = listPage(self)->sections();
    return section >= 0 && static_cast<size_t>(section) < all.size() ? static_cast<long>(all[static_cast<size_t>(section)].rows.size()) : 0;
}

// Cells are shared between rows of one cell type and one cell class.
std::string reuseIdentifierFor(Object* row)
{
    Object* className = row ? rt::send<Object*>(row, SELECTOR("propertyForKey:"), ns(PSCellClassKey)) : nullptr;
    std::string cellClass = isString(className) ? toStdString(className) : "PSTableCell";
    return cellClass + "-" + std::to_string(rt::send<long>(row, SELECTOR("cellType")));
}

Object* cellForRow(Object* self, SEL, Object* table, Object* indexPath)
{
    Object* row = listPage(self)->specifierAt(sectionOf(indexPath), rowOf(indexPath));
    std::string reuse = reuseIdentifierFor(row);
    Object* cell = rt::send<Object*>(table, SELECTOR("dequeueReusableCellWithIdentifier:"), ns(reuse));
    if (!cell) {
        // Slider rows have their own cell class, as Preferences gives them.
        Class* cellClass = rt::getClass(
            rt::send<long>(row, SELECTOR("cellType")) == PSSliderCell ? "PSSliderTableCell" : "PSTableCell");
        if (Object* className = row ? rt::send<Object*>(row, SELECTOR("propertyForKey:"), ns(PSCellClassKey)) : nullptr)
            if (Class* custom = rt::getClass(toStdString(className)))
                cellClass = custom;
        cell = rt::autorelease(rt::adopt(rt::send<Object*>(rt::send<Object*>(cellClass, SELECTOR("alloc")),
            SELECTOR("initWithStyle:reuseIdentifier:specifier:"), 1L, ns(reuse), row)));
    }
    rt::send(cell, SELECTOR("setSpecifier:"), row);
    rt::send(cell, SELECTOR("refreshCellContentsWithSpecifier:"), row);
    return cell;
}

Object* titleForHeader(Object* self, SEL, Object*, long section)
{
    auto all = listPage(self)->sections();
    if (section < 0 || static_cast<size_t>(section) >= all.size() || !all[static_cast<size_t>(section)].group)
        return nullptr;
    Object* name = rt::send<Object*>(all[static_cast<size_t>(section)].group, SELECTOR("name"));
    return toStdString(name).empty() ? nullptr : name;
}

Object* titleForFooter(Object* self, SEL, Object*, long section)
{
    auto all = listPage(self)->sections();
    if (section < 0 || static_cast<size_t>(section) >= all.size() || !all[static_cast<size_t>(section)].group)
        return nullptr;
    return rt::send<Object*>(all[static_cast<size_t>(section)].group, SELECTOR("propertyForKey:"), ns("footerText"));
}

double heightForRow(Object* self, SEL, Object*, Object* indexPath)
{
    Object* row = listPage(self)->specifierAt(sectionOf(indexPath), rowOf(indexPath));
    Object* height = row ? rt::send<Object*>(row, SELECTOR("propertyForKey:"), ns("height")) : nullptr;
    return height ? rt::send<double>(height, SELECTOR("doubleValue")) : UITableViewAutomaticDimension;
}

double automaticHeight(Object*, SEL, Object*, long) { return UITableViewAutomaticDimension; }
Object* noSupplementaryView(Object*, SEL, Object*, long) { return nullptr; }

// A row whose page opens beside the list stays selected while that page shows, and is the only
// selected row; elsewhere the selection goes as soon as the page opens.
void markSelection(Object* self, Object* table, Object* indexPath, Object* row)
{
    bool opensBeside = settings::opensPagesBeside(self) && settings::isLinkRow(row);
    if (!opensBeside) {
        rt::send(table, SELECTOR("deselectRowAtIndexPath:animated:"), indexPath, true);
        return;
    }
    if (Object* selected = rt::send<Object*>(table, SELECTOR("indexPathForSelectedRow")))
        rt::send(table, SELECTOR("deselectRowAtIndexPath:animated:"), selected, false);
    rt::send(table, SELECTOR("selectRowAtIndexPath:animated:scrollPosition:"), indexPath, false, 0L);
}

void didSelectRow(Object* self, SEL, Object* table, Object* indexPath)
{
    Object* row = listPage(self)->specifierAt(sectionOf(indexPath), rowOf(indexPath));
    markSelection(self, table, indexPath, row);
    if (row)
        rt::send(self, SELECTOR("_showControllerFromSpecifier:"), row);
}

}

void registerListControllerTableMethods(Class* c)
{
    using namespace rt;
    addMethod(c, sel("loadView"), &loadView);
    addMethod(c, sel("numberOfSectionsInTableView:"), &numberOfSections);
    addMethod(c, sel("tableView:numberOfRowsInSection:"), &numberOfRows);
    addMethod(c, sel("tableView:cellForRowAtIndexPath:"), &cellForRow);
    addMethod(c, sel("tableView:titleForHeaderInSection:"), &titleForHeader);
    addMethod(c, sel("tableView:titleForFooterInSection:"), &titleForFooter);
    addMethod(c, sel("tableView:heightForRowAtIndexPath:"), &heightForRow);
    addMethod(c, sel("tableView:didSelectRowAtIndexPath:"), &didSelectRow);
    // Settings' pages answer these, so a replacement has a method to replace.
    addMethod(c, sel("tableView:heightForHeaderInSection:"), &automaticHeight);
    addMethod(c, sel("tableView:heightForFooterInSection:"), &automaticHeight);
    addMethod(c, sel("tableView:viewForFooterInSection:"), &noSupplementaryView);
    addMethod(c, sel("tableView:shouldHighlightRowAtIndexPath:"), +[](Object*, SEL, Object*, Object*) { return true; });
    addMethod(c, sel("scrollViewDidScroll:"), +[](Object*, SEL, Object*) {});
}
