#include <gtest/gtest.h>

#include <map>
#include <set>

#include "UIKitTestSupport.h"
#include "host/foundation/Array.h"
#include "host/foundation/String.h"
#include "host/platform/Substrate.h"
#include "host/uikit/NSIndexPath.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UITableView.h"
#include "host/uikit/UITableViewCell.h"
#include "host/uikit/UITableViewHeaderFooterView.h"
#include "host/uikit/UIWindow.h"

using rt::Object;
using rt::SEL;

namespace {

// A data source of `sections` sections of `rows` rows, 50 points high, that counts the cells it
// makes and the rows it is asked for. Its class is built at run time, as a library page's is.
struct Counts {
    int made = 0;
    int asked = 0;
    std::vector<std::pair<long, long>> selected;
};
Counts g_counts;
long g_sections = 3;
long g_rows = 10;

Object* cellFor(Object*, SEL, Object* table, Object* path)
{
    ++g_counts.asked;
    auto* p = static_cast<NSIndexPath*>(path);
    Object* cell = rt::send<Object*>(table, SELECTOR("dequeueReusableCellWithIdentifier:"), ns("cell"));
    if (!cell) {
        ++g_counts.made;
        cell = rt::autorelease(UITableViewCell::create(UITableViewCellStyleValue1, ns("cell")));
    }
    std::string title = std::to_string(p->section()) + "." + std::to_string(p->row());
    static_cast<UITableViewCell*>(cell)->textLabel()->setText(ns(title));
    return cell;
}

rt::Class* dataSourceClass()
{
    static rt::Class* cls
        = rt::ClassBuilder("TestTableSource", rt::rootClass())
              .method(
                  "numberOfSectionsInTableView:", +[](Object*, SEL, Object*) { return g_sections; })
              .method(
                  "tableView:numberOfRowsInSection:", +[](Object*, SEL, Object*, long) { return g_rows; })
              .method("tableView:cellForRowAtIndexPath:", &cellFor)
              .method(
                  "tableView:heightForRowAtIndexPath:", +[](Object*, SEL, Object*, Object*) { return 50.0; })
              .method(
                  "tableView:titleForHeaderInSection:",
                  +[](Object*, SEL, Object*, long s) -> Object* { return s == 0 ? ns("First") : nullptr; })
              .method(
                  "tableView:didSelectRowAtIndexPath:",
                  +[](Object*, SEL, Object*, Object* path) {
                      auto* p = static_cast<NSIndexPath*>(path);
                      g_counts.selected.emplace_back(p->section(), p->row());
                  })
              .registerClass();
    return cls;
}

struct Fixture {
    rt::Ref<UIWindow> window = makeWindow();
    rt::Ref<Object> source = rt::newObject(dataSourceClass());
    rt::Ref<UITableView> table;

    explicit Fixture(long style = UITableViewStyleInsetGrouped)
    {
        g_counts = {};
        Object* made = rt::send<Object*>(UITableView::classObject()->allocate(), SELECTOR("initWithFrame:style:"),
            CGRectMake(0, 0, 390, 600), style);
        table = rt::adopt(static_cast<UITableView*>(made));
        rt::send(table.get(), SELECTOR("setDataSource:"), source.get());
        rt::send(table.get(), SELECTOR("setDelegate:"), source.get());
        window->addSubview(table.get());
        window->layoutAndDisplay();
    }
};

bool hasSubviewOfClass(UIView* view, const char* name)
{
    if (std::string(view->isa()->name()) == name)
        return true;
    for (auto& child : view->subviews())
        if (hasSubviewOfClass(child.get(), name))
            return true;
    return false;
}

Object* (*g_originalCellFor)(Object*, SEL, Object*, Object*) = nullptr;
Object* taggedCellFor(Object* self, SEL cmd, Object* table, Object* path)
{
    Object* cell = g_originalCellFor(self, cmd, table, path);
    static_cast<UIView*>(cell)->setTag(4242);
    return cell;
}

UIEdgeInsets wideInsets(Object*, SEL)
{
    return { 0, 40, 0, 40 };
}

}

TEST(TableView, AsksItsDataSourceAndShowsOnlyTheVisibleRows)
{
    rt::AutoreleasePool pool;
    Fixture f;
    EXPECT_EQ(f.table->numberOfSections(), 3);
    EXPECT_EQ(f.table->numberOfRows(1), 10);
    // 600 points of 50-point rows under a header: about a dozen rows are on screen.
    auto visible = f.table->visibleCells();
    EXPECT_GE(visible.size(), 10u);
    EXPECT_LE(visible.size(), 13u);
    EXPECT_EQ(g_counts.made, static_cast<int>(visible.size()));
    UITableViewCell* first = f.table->cellForRow(0, 0);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->textLabel()->text(), "0.0");
    EXPECT_EQ(f.table->cellForRow(2, 9), nullptr);
    EXPECT_EQ(rt::send<Object*>(f.table.get(), SELECTOR("indexPathForCell:"), first) != nullptr, true);
    // Inset grouped rows stand 16 points off each side.
    EXPECT_EQ(first->frame().minX(), 16);
    EXPECT_EQ(first->frame().width(), 390 - 32);
    EXPECT_EQ(first->frame().height(), 50);
}

TEST(TableView, ScrollingReusesCells)
{
    rt::AutoreleasePool pool;
    Fixture f;
    std::set<UITableViewCell*> before;
    for (auto* c : f.table->visibleCells())
        before.insert(c);
    EXPECT_EQ(size_t(g_counts.made), before.size());
    rt::send(f.table.get(), SELECTOR("setContentOffset:"), CGPoint { 0, 900 });
    f.window->layoutAndDisplay();
    size_t shown = f.table->visibleCells().size();
    EXPECT_EQ(size_t(g_counts.made), std::max(before.size(), shown)) << "rows that came in took the cells that left";
    UITableViewCell* row = f.table->cellForRow(1, 8);
    ASSERT_TRUE(row);
    EXPECT_TRUE(before.count(row));
    EXPECT_EQ(row->textLabel()->text(), "1.8");
    EXPECT_EQ(f.table->cellForRow(0, 0), nullptr);
}

TEST(TableView, ReloadAsksAgainAndSkipsRowsThatDoNotExist)
{
    rt::AutoreleasePool pool;
    Fixture f;
    int asked = g_counts.asked;
    int made = g_counts.made;
    g_rows = 2;
    rt::send(f.table.get(), SELECTOR("reloadData"));
    f.window->layoutAndDisplay();
    EXPECT_EQ(f.table->numberOfRows(0), 2);
    EXPECT_EQ(g_counts.asked, asked + 6);
    EXPECT_EQ(g_counts.made, made) << "reloaded rows reuse the cells they had";
    auto paths = NSArray::create({ rt::Ref<Object>(NSIndexPath::make(0, 1)), rt::Ref<Object>(NSIndexPath::make(1, 5)),
        rt::Ref<Object>(NSIndexPath::make(9, 0)) });
    asked = g_counts.asked;
    rt::send(f.table.get(), SELECTOR("reloadRowsAtIndexPaths:withRowAnimation:"), paths.get(), 5L);
    EXPECT_EQ(g_counts.asked, asked + 1) << "only the row that exists is asked for";
    g_rows = 10;
}

TEST(TableView, ReplacementsOfTheCellProviderAndTheSectionInsetAreReached)
{
    rt::AutoreleasePool pool;
    rt::Class* source = rt::ClassBuilder("TestHookedTableSource", dataSourceClass()).registerClass();
    platform::hookMessage(source, rt::sel("tableView:cellForRowAtIndexPath:"), &taggedCellFor, &g_originalCellFor);
    rt::Class* table = rt::ClassBuilder("TestInsetTable", UITableView::classObject()).registerClass();
    UIEdgeInsets (*originalInset)(Object*, SEL) = nullptr;
    platform::hookMessage(table, rt::sel("_sectionContentInset"), &wideInsets, &originalInset);

    auto window = makeWindow();
    auto page = rt::newObject(source);
    Object* made
        = rt::send<Object*>(table->allocate(), SELECTOR("initWithFrame:style:"), CGRectMake(0, 0, 390, 300), 2L);
    auto view = rt::adopt(static_cast<UITableView*>(made));
    rt::send(view.get(), SELECTOR("setDataSource:"), page.get());
    window->addSubview(view.get());
    window->layoutAndDisplay();
    UITableViewCell* cell = view->cellForRow(0, 0);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->tag(), 4242);
    EXPECT_EQ(cell->frame().minX(), 40);
    EXPECT_EQ(cell->frame().width(), 310);
}

TEST(TableView, PutsUIKitsPrivateViewsInItsTree)
{
    rt::AutoreleasePool pool;
    Fixture f;
    UITableViewCell* cell = f.table->cellForRow(0, 0);
    ASSERT_TRUE(cell);
    cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
    f.window->layoutAndDisplay();
    for (const char* name : { "UITableViewCellContentView", "_UITableViewCellSeparatorView",
             "_UITableCellAccessoryButton", "_UISystemBackgroundView" })
        EXPECT_TRUE(hasSubviewOfClass(cell, name)) << name;
    for (const char* name : { "UITableViewHeaderFooterView", "_UIScrollViewScrollIndicator", "UITableViewWrapperView" })
        EXPECT_TRUE(hasSubviewOfClass(f.table.get(), name)) << name;
    // The last row of a section has no separator showing; inner rows have one.
    f.table->layoutTable();
    UITableViewCell* last = f.table->cellForRow(0, 9);
    if (last && last->separator()) {
        EXPECT_TRUE(last->separator()->isHidden());
    }
    EXPECT_FALSE(cell->separator()->isHidden());
    // Instance variables the library reads by name.
    const rt::Ivar* label = rt::getInstanceVariable(cell->isa(), "_detailTextLabel");
    ASSERT_TRUE(label);
    EXPECT_EQ(rt::getIvarObject(cell, label), cell->detailTextLabel());
    EXPECT_TRUE(rt::getInstanceVariable(f.table->isa(), "_wrapperView"));
    auto* header = static_cast<UITableViewHeaderFooterView*>(f.table->headerView(0));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->textLabel()->text(), "FIRST");
}

TEST(TableView, TapSelectsAndTellsTheDelegate)
{
    rt::AutoreleasePool pool;
    Fixture f;
    f.table->tapRow(0, 2);
    ASSERT_EQ(g_counts.selected.size(), 1u);
    EXPECT_EQ(g_counts.selected[0], std::make_pair(0L, 2L));
    EXPECT_TRUE(f.table->cellForRow(0, 2)->isSelected());
    rt::send(f.table.get(), SELECTOR("deselectRowAtIndexPath:animated:"), NSIndexPath::make(0, 2), true);
    EXPECT_FALSE(f.table->cellForRow(0, 2)->isSelected());
    f.table->tapRow(0, 99);
    EXPECT_EQ(g_counts.selected.size(), 1u) << "a row that does not exist cannot be tapped";
}

// The table holds the selection: the row keeps it while scrolled away, and the cell that showed
// it, reused for another row, does not carry it there.
TEST(TableView, SelectionStaysWithTheRowNotTheCell)
{
    rt::AutoreleasePool pool;
    Fixture f;
    f.table->tapRow(0, 0);
    rt::send(f.table.get(), SELECTOR("setContentOffset:"), CGPoint { 0, 900 });
    f.window->layoutAndDisplay();
    for (auto* cell : f.table->visibleCells())
        EXPECT_FALSE(cell->isSelected()) << toStdString(rt::send<Object*>(cell->textLabel(), SELECTOR("text")));
    EXPECT_EQ(f.table->cellForRow(0, 0), nullptr);
    auto* path = static_cast<NSIndexPath*>(rt::send<Object*>(f.table.get(), SELECTOR("indexPathForSelectedRow")));
    ASSERT_TRUE(path);
    EXPECT_EQ(std::make_pair(path->section(), path->row()), std::make_pair(0L, 0L));
    rt::send(f.table.get(), SELECTOR("setContentOffset:"), CGPoint { 0, 0 });
    f.window->layoutAndDisplay();
    ASSERT_TRUE(f.table->cellForRow(0, 0));
    EXPECT_TRUE(f.table->cellForRow(0, 0)->isSelected());
}

TEST(TableView, DequeueWithoutRegistrationIsNilAndRegisteredClassesAreMade)
{
    rt::AutoreleasePool pool;
    Fixture f;
    EXPECT_EQ(rt::send<Object*>(f.table.get(), SELECTOR("dequeueReusableCellWithIdentifier:"), ns("unknown")), nullptr);
    rt::send(f.table.get(), SELECTOR("registerClass:forCellReuseIdentifier:"),
        static_cast<Object*>(UITableViewCell::classObject()), ns("known"));
    Object* cell = rt::send<Object*>(f.table.get(), SELECTOR("dequeueReusableCellWithIdentifier:"), ns("known"));
    ASSERT_TRUE(isTableViewCell(cell));
    EXPECT_EQ(toStdString(static_cast<UITableViewCell*>(cell)->reuseIdentifier()), "known");
}

TEST(TableView, DelegateAskingForTheSectionCountDuringLayoutHearsTheWholeCount)
{
    rt::AutoreleasePool pool;
    // The root list's footer rule: the last section's footer is 50 points, every other one 10.
    rt::Class* cls = rt::ClassBuilder("TestLastFooterSource", dataSourceClass())
                         .method(
                             "tableView:heightForFooterInSection:",
                             +[](Object*, SEL, Object* table, long section) {
                                 long count = rt::send<long>(table, SELECTOR("numberOfSections"));
                                 return section == count - 1 ? 50.0 : 10.0;
                             })
                         .registerClass();
    auto window = makeWindow();
    auto source = rt::newObject(cls);
    Object* made = rt::send<Object*>(
        UITableView::classObject()->allocate(), SELECTOR("initWithFrame:style:"), CGRectMake(0, 0, 390, 600), 2L);
    auto table = rt::adopt(static_cast<UITableView*>(made));
    rt::send(table.get(), SELECTOR("setDataSource:"), source.get());
    rt::send(table.get(), SELECTOR("setDelegate:"), source.get());
    double rows = 10 * 50;
    EXPECT_DOUBLE_EQ(table->rectForSection(0).height(), 38 + rows + 10);
    EXPECT_DOUBLE_EQ(table->rectForSection(1).height(), 17.5 + rows + 10);
    EXPECT_DOUBLE_EQ(table->rectForSection(2).height(), 17.5 + rows + 50);
}
