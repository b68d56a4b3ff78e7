#include <algorithm>
#include <cmath>

#include "host/foundation/Array.h"
#include "host/foundation/String.h"
#include "host/render/TextStyle.h"
#include "host/uikit/NSIndexPath.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UITableView.h"
#include "host/uikit/UITableViewCell.h"
#include "host/uikit/UITableViewHeaderFooterView.h"
#include "host/uikit/UITraitCollection.h"

// The table's questions to its data source and delegate, and the placement of what they answer.
// Every question is a message, asked only when the receiver answers it, as UIKit asks.

using rt::Object;

namespace {

constexpr double kDefaultRowHeight = 44;
constexpr double kGroupedGap = 17.5;
constexpr double kGroupedTitledHeader = 38;
constexpr double kPlainTitledHeader = 28;

bool answers(Object* target, const rt::CallSite& site)
{
    return target && rt::respondsTo(target, site.sel());
}

double usable(double height, double fallback)
{
    return std::isfinite(height) && height >= 0 ? height : fallback;
}

}

void UITableView::reloadData()
{
    m_geometryValid = false;
    auto cells = std::move(m_visibleCells);
    for (auto& [key, cell] : cells)
        recycle(cell, key.first, key.second);
    auto supplementary = std::move(m_visibleSupplementary);
    for (auto& [key, entry] : supplementary)
        if (entry.view->superview() == this)
            entry.view->removeFromSuperview();
    m_selected.clear();
    setNeedsLayout();
}

void UITableView::reloadRows(Object* paths)
{
    if (!isArray(paths))
        return;
    ensureGeometry();
    UIEdgeInsets inset = sectionInset();
    auto items = static_cast<NSArray*>(paths)->items();
    for (auto& item : items) {
        auto* path = rt::dynamicCast<NSIndexPath>(item.get(), NSIndexPath::classObject());
        // Rows that do not exist are skipped: asking the data source for them would be a lie.
        if (!path || path->section() < 0 || path->section() >= long(m_sections.size()) || path->row() < 0
            || path->row() >= long(m_sections[path->section()].rowHeights.size()))
            continue;
        Key key { path->section(), path->row() };
        auto it = m_visibleCells.find(key);
        if (it == m_visibleCells.end())
            continue;
        rt::Ref<UITableViewCell> old = std::move(it->second);
        m_visibleCells.erase(it);
        recycle(old, key.first, key.second);
        if (UITableViewCell* cell = makeCell(key.first, key.second))
            placeCell(cell, key.first, key.second, inset);
    }
}

void UITableView::ensureGeometry()
{
    if (!m_geometryValid)
        computeGeometry();
}

long UITableView::numberOfSections()
{
    ensureGeometry();
    return static_cast<long>(m_sections.size());
}

long UITableView::numberOfRows(long section)
{
    ensureGeometry();
    if (section < 0 || section >= long(m_sections.size()))
        return 0;
    return static_cast<long>(m_sections[section].rowHeights.size());
}

double UITableView::headerHeightFor(long section, bool hasTitle, bool hasView)
{
    auto delegate = m_tableDelegate.load();
    double fallback = m_style == UITableViewStylePlain ? (hasTitle ? kPlainTitledHeader : 0)
        : hasTitle                                     ? kGroupedTitledHeader
                                                       : kGroupedGap;
    if (hasView && !hasTitle && m_style != UITableViewStylePlain)
        fallback = kGroupedGap;
    if (m_sectionHeaderHeight >= 0)
        fallback = m_sectionHeaderHeight;
    if (answers(delegate.get(), SELECTOR("tableView:heightForHeaderInSection:")))
        return usable(
            rt::send<double>(delegate.get(), SELECTOR("tableView:heightForHeaderInSection:"), this, section), fallback);
    return fallback;
}

double UITableView::footerHeightFor(long section, bool hasTitle, bool hasView)
{
    auto delegate = m_tableDelegate.load();
    double fallback = m_style == UITableViewStylePlain ? 0 : kGroupedGap;
    (void)hasView;
    if (m_sectionFooterHeight >= 0)
        fallback = m_sectionFooterHeight;
    // A delegate that answers UITableViewAutomaticDimension (or nothing usable) leaves the height
    // to the table, which fits it to the footer's title.
    if (answers(delegate.get(), SELECTOR("tableView:heightForFooterInSection:"))) {
        double asked = rt::send<double>(delegate.get(), SELECTOR("tableView:heightForFooterInSection:"), this, section);
        if (asked >= 0)
            return usable(asked, fallback);
    }
    if (hasTitle && section < long(m_sections.size())) {
        const std::string& title = m_sections[section].footerTitle;
        TextStyle text;
        text.size = 13;
        text.maxLines = 0;
        double width = std::max(1.0, bounds().width() - m_sectionContentInset.left - m_sectionContentInset.right - 32);
        return std::max(fallback, measureText(title, text, width).height + 14);
    }
    return fallback;
}

std::vector<UITableView::Section> UITableView::askStructure()
{
    auto source = m_dataSource.load();
    auto delegate = m_tableDelegate.load();
    long count = 0;
    if (source)
        count = answers(source.get(), SELECTOR("numberOfSectionsInTableView:"))
            ? rt::send<long>(source.get(), SELECTOR("numberOfSectionsInTableView:"), this)
            : 1;
    // A data source that answers nonsense gets an empty table rather than a huge allocation.
    count = std::clamp(count, 0L, 100000L);
    std::vector<Section> sections(static_cast<size_t>(count));
    for (long s = 0; s < count; ++s) {
        Section& section = sections[s];
        long rows = answers(source.get(), SELECTOR("tableView:numberOfRowsInSection:"))
            ? rt::send<long>(source.get(), SELECTOR("tableView:numberOfRowsInSection:"), this, s)
            : 0;
        section.rowHeights.resize(static_cast<size_t>(std::clamp(rows, 0L, 1000000L)));
        if (answers(source.get(), SELECTOR("tableView:titleForHeaderInSection:")))
            section.headerTitle
                = toStdString(rt::send<Object*>(source.get(), SELECTOR("tableView:titleForHeaderInSection:"), this, s));
        if (answers(source.get(), SELECTOR("tableView:titleForFooterInSection:")))
            section.footerTitle
                = toStdString(rt::send<Object*>(source.get(), SELECTOR("tableView:titleForFooterInSection:"), this, s));
        section.hasHeaderView = answers(delegate.get(), SELECTOR("tableView:viewForHeaderInSection:"));
        section.hasFooterView = answers(delegate.get(), SELECTOR("tableView:viewForFooterInSection:"));
    }
    return sections;
}

void UITableView::computeGeometry()
{
    rt::AutoreleasePool pool;
    CurrentTraitScope traits(traitCollection());
    uint64_t generation = ++m_geometryGeneration;
    // The structure comes first and is in force while heights are asked for, so a delegate that
    // asks the table for its number of sections or rows hears the whole answer.
    m_sections = askStructure();
    m_geometryValid = true;
    auto delegate = m_tableDelegate.load();
    bool askHeight = answers(delegate.get(), SELECTOR("tableView:heightForRowAtIndexPath:"));
    double standard = m_rowHeight >= 0 ? m_rowHeight : kDefaultRowHeight;
    double y = m_tableHeaderView ? m_tableHeaderView->frame().height() : 0;
    for (long s = 0; s < long(m_sections.size()); ++s) {
        m_sections[s].top = y;
        double header = headerHeightFor(s, !m_sections[s].headerTitle.empty(), m_sections[s].hasHeaderView);
        // A delegate that reloaded the table meanwhile has started a newer pass; it wins.
        if (generation != m_geometryGeneration)
            return;
        m_sections[s].headerHeight = header;
        y += header;
        for (size_t r = 0; r < m_sections[s].rowHeights.size(); ++r) {
            double h = askHeight ? rt::send<double>(delegate.get(), SELECTOR("tableView:heightForRowAtIndexPath:"),
                           this, NSIndexPath::make(s, static_cast<long>(r)))
                                 : standard;
            if (generation != m_geometryGeneration)
                return;
            m_sections[s].rowHeights[r] = std::isfinite(h) && h >= 0 ? h : standard;
            y += m_sections[s].rowHeights[r];
        }
        double footer = footerHeightFor(s, !m_sections[s].footerTitle.empty(), m_sections[s].hasFooterView);
        if (generation != m_geometryGeneration)
            return;
        m_sections[s].footerHeight = footer;
        y += footer;
    }
    m_contentHeight = y + (m_tableFooterView ? m_tableFooterView->frame().height() : 0);
    setContentSize({ bounds().width(), m_contentHeight });
}

UIEdgeInsets UITableView::sectionInset()
{
    if (m_style != UITableViewStyleInsetGrouped)
        return {};
    return rt::send<UIEdgeInsets>(this, SELECTOR("_sectionContentInset"));
}

CGRect UITableView::rectForRow(long section, long row)
{
    ensureGeometry();
    if (section < 0 || section >= long(m_sections.size()) || row < 0
        || row >= long(m_sections[section].rowHeights.size()))
        return {};
    const Section& s = m_sections[section];
    double y = s.top + s.headerHeight;
    for (long r = 0; r < row; ++r)
        y += s.rowHeights[r];
    return CGRectMake(0, y, bounds().width(), s.rowHeights[row]);
}

CGRect UITableView::rectForSection(long section)
{
    ensureGeometry();
    if (section < 0 || section >= long(m_sections.size()))
        return {};
    const Section& s = m_sections[section];
    double h = s.headerHeight + s.footerHeight;
    for (double r : s.rowHeights)
        h += r;
    return CGRectMake(0, s.top, bounds().width(), h);
}

CellGroupPosition UITableView::positionOf(long section, long row) const
{
    long count = static_cast<long>(m_sections[section].rowHeights.size());
    if (count == 1)
        return CellGroupPosition::Only;
    if (row == 0)
        return CellGroupPosition::First;
    return row == count - 1 ? CellGroupPosition::Last : CellGroupPosition::Middle;
}

void UITableView::layoutTable()
{
    rt::Ref<UITableView> keep(this);
    ensureGeometry();
    if (!m_wrapperView) {
        m_wrapperView = UIView::create(wrapperViewClass());
        insertSubview(m_wrapperView.get(), m_backgroundView ? 1 : 0);
    }
    CGRect b = bounds();
    rt::send(m_wrapperView.get(), SELECTOR("setFrame:"), CGRect { b.origin, b.size });
    if (m_backgroundView && m_backgroundView->superview() == this)
        rt::send(m_backgroundView.get(), SELECTOR("setFrame:"), b);
    UIEdgeInsets inset = sectionInset();
    showRows(b, inset);
    showHeadersAndFooters(b, inset);
    placeTableViews();
    setContentSize({ b.width(), m_contentHeight });
}

void UITableView::showRows(const CGRect& visible, const UIEdgeInsets& inset)
{
    // Rows that left the visible area go back to the reuse pool first, so the rows that enter
    // it can take their cells.
    for (auto it = m_visibleCells.begin(); it != m_visibleCells.end();) {
        auto [section, row] = it->first;
        CGRect r = rectForRow(section, row);
        bool gone = section >= long(m_sections.size()) || row >= long(m_sections[section].rowHeights.size());
        if (gone || r.maxY() <= visible.minY() || r.minY() >= visible.maxY()) {
            auto cell = std::move(it->second);
            it = m_visibleCells.erase(it);
            recycle(cell, section, row);
        } else {
            ++it;
        }
    }
    for (long s = 0; s < long(m_sections.size()); ++s) {
        const Section& section = m_sections[s];
        double y = section.top + section.headerHeight;
        for (long r = 0; r < long(section.rowHeights.size()); ++r) {
            double h = section.rowHeights[r];
            bool onScreen = y + h > visible.minY() && y < visible.maxY() && h > 0;
            y += h;
            if (!onScreen)
                continue;
            auto found = m_visibleCells.find({ s, r });
            UITableViewCell* cell = found != m_visibleCells.end() ? found->second.get() : makeCell(s, r);
            if (cell)
                placeCell(cell, s, r, inset);
        }
    }
}

UITableViewCell* UITableView::makeCell(long section, long row)
{
    auto source = m_dataSource.load();
    rt::AutoreleasePool pool;
    CurrentTraitScope traits(traitCollection());
    Object* answer = answers(source.get(), SELECTOR("tableView:cellForRowAtIndexPath:"))
        ? rt::send<Object*>(
            source.get(), SELECTOR("tableView:cellForRowAtIndexPath:"), this, NSIndexPath::make(section, row))
        : nullptr;
    rt::Ref<UITableViewCell> cell(rt::dynamicCast<UITableViewCell>(answer, UITableViewCell::classObject()));
    if (!cell) {
        // UIKit stops the app here; the simulated device shows an empty row instead.
        cell = UITableViewCell::create(UITableViewCellStyleDefault, nullptr);
    }
    m_visibleCells[{ section, row }] = cell;
    // The selection belongs to the table, not to the cell: a row keeps it while scrolled away,
    // and a reused cell forgets the row it showed before.
    bool selected = std::find(m_selected.begin(), m_selected.end(), Key { section, row }) != m_selected.end();
    if (selected || cell->isSelected())
        rt::send(cell.get(), SELECTOR("setSelected:animated:"), selected, false);
    auto delegate = m_tableDelegate.load();
    if (answers(delegate.get(), SELECTOR("tableView:willDisplayCell:forRowAtIndexPath:")))
        rt::send(delegate.get(), SELECTOR("tableView:willDisplayCell:forRowAtIndexPath:"), this, cell.get(),
            NSIndexPath::make(section, row));
    return cell.get();
}

void UITableView::placeCell(UITableViewCell* cell, long section, long row, const UIEdgeInsets& inset)
{
    CGRect r = rectForRow(section, row);
    CellGroupPosition position = positionOf(section, row);
    bool last = position == CellGroupPosition::Last || position == CellGroupPosition::Only;
    bool separator = m_separatorStyle != 0 && (!last || m_style == UITableViewStylePlain);
    cell->setGroupPosition(position, m_style, separator, m_separatorInset.left);
    if (m_separatorColor && cell->separator())
        cell->separator()->setBackgroundColor(m_separatorColor.get());
    CGRect frame = CGRectMake(inset.left, r.minY(), std::max(0.0, r.width() - inset.left - inset.right), r.height());
    if (cell->frame() != frame)
        rt::send(cell, SELECTOR("setFrame:"), frame);
    if (cell->superview() != this)
        insertSubview(cell, contentInsertionIndex());
}

void UITableView::recycle(rt::Ref<UITableViewCell> cell, long section, long row)
{
    if (!cell)
        return;
    if (cell->superview() == this)
        cell->removeFromSuperview();
    auto delegate = m_tableDelegate.load();
    if (answers(delegate.get(), SELECTOR("tableView:didEndDisplayingCell:forRowAtIndexPath:")))
        rt::send(delegate.get(), SELECTOR("tableView:didEndDisplayingCell:forRowAtIndexPath:"), this, cell.get(),
            NSIndexPath::make(section, row));
    std::string identifier = toStdString(cell->reuseIdentifier());
    if (!identifier.empty())
        m_reusePool[identifier].push_back(std::move(cell));
}

void UITableView::placeTableViews()
{
    double width = bounds().width();
    if (m_tableHeaderView && m_tableHeaderView->superview() == this) {
        CGRect f = m_tableHeaderView->frame();
        rt::send(m_tableHeaderView.get(), SELECTOR("setFrame:"), CGRectMake(0, 0, width, f.height()));
    }
    if (m_tableFooterView && m_tableFooterView->superview() == this) {
        CGRect f = m_tableFooterView->frame();
        double top = m_contentHeight - f.height();
        rt::send(m_tableFooterView.get(), SELECTOR("setFrame:"), CGRectMake(0, top, width, f.height()));
    }
}

UITableViewCell* UITableView::cellForRow(long section, long row) const
{
    auto it = m_visibleCells.find({ section, row });
    return it == m_visibleCells.end() ? nullptr : it->second.get();
}

NSIndexPath* UITableView::indexPathForCell(Object* cell) const
{
    for (auto& [key, visible] : m_visibleCells)
        if (visible.get() == cell)
            return NSIndexPath::make(key.first, key.second);
    return nullptr;
}

std::vector<UITableViewCell*> UITableView::visibleCells() const
{
    std::vector<UITableViewCell*> cells;
    for (auto& [key, cell] : m_visibleCells)
        cells.push_back(cell.get());
    return cells;
}

UIView* UITableView::headerView(long section) const
{
    auto it = m_visibleSupplementary.find({ section, 0 });
    return it == m_visibleSupplementary.end() ? nullptr : it->second.view.get();
}

UIView* UITableView::footerView(long section) const
{
    auto it = m_visibleSupplementary.find({ section, 1 });
    return it == m_visibleSupplementary.end() ? nullptr : it->second.view.get();
}

void UITableView::selectRow(long section, long row, bool notify)
{
    UITableViewCell* cell = cellForRow(section, row);
    rt::Ref<UITableViewCell> keep(cell);
    if (cell)
        rt::send(cell, SELECTOR("setSelected:animated:"), true, false);
    if (std::find(m_selected.begin(), m_selected.end(), Key { section, row }) == m_selected.end())
        m_selected.push_back({ section, row });
    auto delegate = m_tableDelegate.load();
    if (notify && answers(delegate.get(), SELECTOR("tableView:didSelectRowAtIndexPath:")))
        rt::send(delegate.get(), SELECTOR("tableView:didSelectRowAtIndexPath:"), this, NSIndexPath::make(section, row));
}

bool UITableView::firstSelectedRow(long& section, long& row) const
{
    if (m_selected.empty())
        return false;
    section = m_selected.front().first;
    row = m_selected.front().second;
    return true;
}

void UITableView::deselectRow(long section, long row)
{
    std::erase(m_selected, Key { section, row });
    if (UITableViewCell* cell = cellForRow(section, row))
        rt::send(cell, SELECTOR("setSelected:animated:"), false, false);
}

void UITableView::tapRow(long section, long row)
{
    if (!m_allowsSelection || numberOfRows(section) <= row || row < 0)
        return;
    rt::Ref<UITableView> keep(this);
    rt::AutoreleasePool pool;
    auto delegate = m_tableDelegate.load();
    if (answers(delegate.get(), SELECTOR("tableView:shouldHighlightRowAtIndexPath:"))
        && !rt::send<bool>(delegate.get(), SELECTOR("tableView:shouldHighlightRowAtIndexPath:"), this,
            NSIndexPath::make(section, row)))
        return;
    rt::Ref<UITableViewCell> cell(cellForRow(section, row));
    if (cell)
        rt::send(cell.get(), SELECTOR("setHighlighted:animated:"), true, false);
    if (answers(delegate.get(), SELECTOR("tableView:willSelectRowAtIndexPath:"))) {
        Object* target = rt::send<Object*>(
            delegate.get(), SELECTOR("tableView:willSelectRowAtIndexPath:"), this, NSIndexPath::make(section, row));
        auto* path = rt::dynamicCast<NSIndexPath>(target, NSIndexPath::classObject());
        if (!path) {
            if (cell)
                rt::send(cell.get(), SELECTOR("setHighlighted:animated:"), false, false);
            return;
        }
        section = path->section();
        row = path->row();
    }
    if (cell)
        rt::send(cell.get(), SELECTOR("setHighlighted:animated:"), false, false);
    selectRow(section, row, true);
}
