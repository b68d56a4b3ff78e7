#include "host/uikit/UITableView.h"

#include <algorithm>

#include "host/foundation/Array.h"
#include "host/foundation/String.h"
#include "host/runtime/Bind.h"
#include "host/uikit/NSIndexPath.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UITableViewCell.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UITableView* table(Object* o)
{
    return static_cast<UITableView*>(o);
}

NSIndexPath* asPath(Object* o)
{
    return rt::dynamicCast<NSIndexPath>(o, NSIndexPath::classObject());
}

void setTableView(rt::Ref<UIView>& slot, UITableView* owner, Object* view)
{
    if (slot && slot->superview() == owner)
        slot->removeFromSuperview();
    slot = isView(view) ? static_cast<UIView*>(view) : nullptr;
    if (slot)
        owner->addSubview(slot.get());
    owner->setNeedsLayout();
}

}

Class* UITableView::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UITableView>("UITableView", UIScrollView::classObject());
        registerTableInit(c);
        registerTableData(c);
        registerTableQueries(c);
        registerTableSelection(c);
        registerTableLook(c);
        registerTableViews(c);
        TAM_HOST_IVAR(c, UITableView, m_wrapperView, "_wrapperView");
        TAM_HOST_IVAR(c, UITableView, m_tableHeaderView, "_tableHeaderView");
        TAM_HOST_IVAR(c, UITableView, m_tableFooterView, "_tableFooterView");
        return c;
    }();
    return cls;
}

Class* UITableView::wrapperViewClass()
{
    static Class* cls = rt::defineCppClass<UIView>("UITableViewWrapperView", UIView::classObject());
    return cls;
}

UITableView::UITableView() = default;

void UITableView::setStyle(long style)
{
    m_style = style >= 0 && style <= 2 ? style : UITableViewStylePlain;
    if (!m_sectionInsetSet) {
        // Inset-grouped sections stand off the screen edges by the layout margin.
        double side = m_style == UITableViewStyleInsetGrouped ? (UIScreen::deviceIdiom() == 1 ? 20 : 16) : 0;
        m_sectionContentInset = { 0, side, 0, side };
    }
    setBackgroundColor(UIColor::systemColor(
        m_style == UITableViewStylePlain ? "systemBackgroundColor" : "systemGroupedBackgroundColor"));
    m_geometryValid = false;
}

Object* UITableView::dataSource() const
{
    return rt::autorelease(m_dataSource.load().leak());
}

Object* UITableView::delegate() const
{
    return rt::autorelease(m_tableDelegate.load().leak());
}

void UITableView::registerCellClass(Object* cls, Object* identifier)
{
    std::string key = toStdString(identifier);
    if (key.empty())
        return;
    auto* c = cls && cls->isa()->isMetaclass() ? static_cast<Class*>(cls) : nullptr;
    if (c && c->isSubclassOf(UITableViewCell::classObject()))
        m_registeredClasses[key] = c;
    else
        m_registeredClasses.erase(key);
}

Object* UITableView::dequeueCell(Object* identifier)
{
    std::string key = toStdString(identifier);
    auto& pool = m_reusePool[key];
    if (!pool.empty()) {
        rt::Ref<UITableViewCell> cell = std::move(pool.back());
        pool.pop_back();
        rt::send(cell.get(), SELECTOR("prepareForReuse"));
        return rt::autorelease(std::move(cell));
    }
    auto registered = m_registeredClasses.find(key);
    if (registered == m_registeredClasses.end())
        return nullptr;
    Object* made = registered->second->allocate();
    made = rt::send<Object*>(made, SELECTOR("initWithStyle:reuseIdentifier:"), 0L, identifier);
    return made ? rt::autorelease(made) : nullptr;
}

bool isTableView(Object* o)
{
    return rt::isKindOf(o, UITableView::classObject());
}

void UITableView::registerTableInit(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithFrame:style:"), +[](Object* s, SEL, CGRect frame, long style) -> Object* {
            table(s)->setStyle(style);
            return sendSuper<Object*>(s, UITableView::classObject(), SELECTOR("initWithFrame:"), frame);
        });
    addMethod(
        c, sel("initWithFrame:"), +[](Object* s, SEL, CGRect frame) -> Object* {
            return send<Object*>(s, SELECTOR("initWithFrame:style:"), frame, 0L);
        });
    bind<&UITableView::style>(c, "style");
    addMethod(
        c, sel("dataSource"), +[](Object* s, SEL) -> Object* { return table(s)->dataSource(); });
    addMethod(
        c, sel("setDataSource:"), +[](Object* s, SEL, Object* d) {
            table(s)->m_dataSource = d;
            table(s)->reloadData();
        });
    addMethod(
        c, sel("delegate"), +[](Object* s, SEL) -> Object* { return table(s)->delegate(); });
    addMethod(
        c, sel("setDelegate:"), +[](Object* s, SEL, Object* d) {
            table(s)->m_tableDelegate = d;
            table(s)->storeScrollDelegate(d);
            table(s)->reloadData();
        });
}

void UITableView::registerTableData(Class* c)
{
    using namespace rt;
    bind<&UITableView::reloadData>(c, "reloadData");
    addMethod(
        c, sel("reloadRowsAtIndexPaths:withRowAnimation:"),
        +[](Object* s, SEL, Object* paths, long) { table(s)->reloadRows(paths); });
    // Structural changes redo the whole table; there is no animation to keep in step.
    for (const char* name : { "insertRowsAtIndexPaths:withRowAnimation:", "deleteRowsAtIndexPaths:withRowAnimation:",
             "insertSections:withRowAnimation:", "deleteSections:withRowAnimation:",
             "reloadSections:withRowAnimation:" })
        addMethod(
            c, sel(name), +[](Object* s, SEL, Object*, long) { table(s)->reloadData(); });
    addMethod(
        c, sel("beginUpdates"), +[](Object*, SEL) {});
    addMethod(
        c, sel("endUpdates"), +[](Object* s, SEL) { table(s)->setNeedsLayout(); });
    addMethod(
        c, sel("performBatchUpdates:completion:"), +[](Object* s, SEL, BlockBase* updates, BlockBase* completion) {
            callBlock<void()>(updates);
            table(s)->setNeedsLayout();
            callBlock<void(bool)>(completion, true);
        });
}

void UITableView::registerTableQueries(Class* c)
{
    using namespace rt;
    bind<&UITableView::numberOfSections>(c, "numberOfSections");
    bind<&UITableView::numberOfRows>(c, "numberOfRowsInSection:");
    addMethod(
        c, sel("cellForRowAtIndexPath:"), +[](Object* s, SEL, Object* p) -> Object* {
            auto* path = asPath(p);
            return path ? table(s)->cellForRow(path->section(), path->row()) : nullptr;
        });
    addMethod(
        c, sel("indexPathForCell:"),
        +[](Object* s, SEL, Object* cell) -> Object* { return table(s)->indexPathForCell(cell); });
    addMethod(
        c, sel("visibleCells"), +[](Object* s, SEL) -> Object* {
            auto cells = table(s)->visibleCells();
            return autorelease(NSArray::create(std::vector<Ref<Object>>(cells.begin(), cells.end())));
        });
    addMethod(
        c, sel("indexPathsForVisibleRows"), +[](Object* s, SEL) -> Object* {
            std::vector<Ref<Object>> paths;
            for (auto* cell : table(s)->visibleCells())
                paths.emplace_back(table(s)->indexPathForCell(cell));
            return autorelease(NSArray::create(std::move(paths)));
        });
    addMethod(
        c, sel("rectForRowAtIndexPath:"), +[](Object* s, SEL, Object* p) {
            auto* path = asPath(p);
            return path ? table(s)->rectForRow(path->section(), path->row()) : CGRect {};
        });
    addMethod(
        c, sel("rectForSection:"), +[](Object* s, SEL, long section) { return table(s)->rectForSection(section); });
    addMethod(
        c, sel("headerViewForSection:"),
        +[](Object* s, SEL, long section) -> Object* { return table(s)->headerView(section); });
    addMethod(
        c, sel("footerViewForSection:"),
        +[](Object* s, SEL, long section) -> Object* { return table(s)->footerView(section); });
    addMethod(
        c, sel("dequeueReusableCellWithIdentifier:"),
        +[](Object* s, SEL, Object* identifier) { return table(s)->dequeueCell(identifier); });
    addMethod(
        c, sel("dequeueReusableCellWithIdentifier:forIndexPath:"),
        +[](Object* s, SEL, Object* identifier, Object*) -> Object* {
            if (Object* cell = table(s)->dequeueCell(identifier))
                return cell;
            return autorelease(UITableViewCell::create(UITableViewCellStyleDefault, identifier));
        });
    bind<&UITableView::registerCellClass>(c, "registerClass:forCellReuseIdentifier:");
}

void UITableView::registerTableSelection(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("selectRowAtIndexPath:animated:scrollPosition:"), +[](Object* s, SEL, Object* p, bool, long) {
            if (auto* path = asPath(p))
                table(s)->selectRow(path->section(), path->row(), false);
        });
    addMethod(
        c, sel("deselectRowAtIndexPath:animated:"), +[](Object* s, SEL, Object* p, bool) {
            if (auto* path = asPath(p))
                table(s)->deselectRow(path->section(), path->row());
        });
    addMethod(
        c, sel("indexPathForSelectedRow"), +[](Object* s, SEL) -> Object* {
            long section = 0, row = 0;
            return table(s)->firstSelectedRow(section, row) ? NSIndexPath::make(section, row) : nullptr;
        });
    bindProperty<&UITableView::m_allowsSelection>(c, "allowsSelection");
    addMethod(
        c, sel("scrollToRowAtIndexPath:atScrollPosition:animated:"), +[](Object* s, SEL, Object* p, long, bool) {
            auto* path = asPath(p);
            if (!path)
                return;
            CGRect row = table(s)->rectForRow(path->section(), path->row());
            send(s, SELECTOR("setContentOffset:"), CGPoint { 0, row.minY() - table(s)->adjustedContentInset().top });
        });
}

void UITableView::registerTableLook(Class* c)
{
    using namespace rt;
    using Table = UITableView;
    bindPropertyThen<&Table::m_rowHeight, &Table::reloadData>(c, "rowHeight");
    bindProperty<&Table::m_estimatedRowHeight>(c, "estimatedRowHeight");
    bindProperty<&Table::m_sectionHeaderHeight>(c, "sectionHeaderHeight");
    bindProperty<&Table::m_sectionFooterHeight>(c, "sectionFooterHeight");
    bindPropertyThen<&Table::m_separatorStyle, &Table::setNeedsLayout>(c, "separatorStyle");
    bindProperty<&Table::m_separatorColor>(c, "separatorColor");
    bindProperty<&Table::m_separatorInset>(c, "separatorInset");
}

void UITableView::registerTableViews(Class* c)
{
    using namespace rt;
    bindGetter<&UITableView::m_sectionContentInset>(c, "_sectionContentInset");
    addMethod(
        c, sel("_setSectionContentInset:"), +[](Object* s, SEL, UIEdgeInsets i) {
            table(s)->m_sectionContentInset = i;
            table(s)->m_sectionInsetSet = true;
            table(s)->setNeedsLayout();
        });
    bindGetter<&UITableView::m_tableHeaderView>(c, "tableHeaderView");
    addMethod(
        c, sel("setTableHeaderView:"),
        +[](Object* s, SEL, Object* v) { setTableView(table(s)->m_tableHeaderView, table(s), v); });
    bindGetter<&UITableView::m_tableFooterView>(c, "tableFooterView");
    addMethod(
        c, sel("setTableFooterView:"),
        +[](Object* s, SEL, Object* v) { setTableView(table(s)->m_tableFooterView, table(s), v); });
    bindGetter<&UITableView::m_backgroundView>(c, "backgroundView");
    addMethod(
        c, sel("setBackgroundView:"), +[](Object* s, SEL, Object* v) {
            auto* t = table(s);
            if (t->m_backgroundView && t->m_backgroundView->superview() == t)
                t->m_backgroundView->removeFromSuperview();
            t->m_backgroundView = isView(v) ? static_cast<UIView*>(v) : nullptr;
            if (t->m_backgroundView)
                t->insertSubview(t->m_backgroundView.get(), 0);
            t->setNeedsLayout();
        });
    addMethod(
        c, sel("_layoutScrollView"), +[](Object* s, SEL) {
            sendSuper(s, UITableView::classObject(), SELECTOR("_layoutScrollView"));
            table(s)->layoutTable();
        });
}
