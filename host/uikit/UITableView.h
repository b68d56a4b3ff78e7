#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/uikit/UIScrollView.h"
#include "host/uikit/UITableViewCell.h"

class NSIndexPath;
class UITableViewCell;

enum UITableViewStyle : long {
    UITableViewStylePlain = 0,
    UITableViewStyleGrouped = 1,
    UITableViewStyleInsetGrouped = 2,
};

inline constexpr double UITableViewAutomaticDimension = -1;

// UITableView: asks its data source and delegate, by message, for sections, rows, heights, cells,
// headers and footers; shows the rows that fall in its visible area; and reuses the cells that
// leave it. The section inset of an inset-grouped table is read through _sectionContentInset,
// so a replacement of that message moves the cells.
class UITableView : public UIScrollView {
public:
    static rt::Class* classObject();
    static rt::Class* wrapperViewClass();

    UITableView();

    long style() const { return m_style; }
    void setStyle(long);
    rt::Object* dataSource() const;
    rt::Object* delegate() const;

    // Forgets every row and header and asks again at the next layout.
    void reloadData();
    void reloadRows(rt::Object* indexPaths);
    long numberOfSections();
    long numberOfRows(long section);
    // The cell showing a row, or null when the row is not on screen.
    UITableViewCell* cellForRow(long section, long row) const;
    NSIndexPath* indexPathForCell(rt::Object* cell) const;
    CGRect rectForRow(long section, long row);
    CGRect rectForSection(long section);
    UIView* headerView(long section) const;
    UIView* footerView(long section) const;
    std::vector<UITableViewCell*> visibleCells() const;

    rt::Object* dequeueCell(rt::Object* identifier);
    void registerCellClass(rt::Object* cls, rt::Object* identifier);

    // What a tap on a row does: highlight, select, tell the delegate, as a finger would.
    void tapRow(long section, long row);
    void selectRow(long section, long row, bool notify);
    void deselectRow(long section, long row);
    // The first selected row as (section, row); false when none is.
    bool firstSelectedRow(long& section, long& row) const;

    // The host's layout: the geometry from the data source, then the visible rows.
    void layoutTable();

    struct Section {
        double headerHeight { 0 };
        double footerHeight { 0 };
        std::vector<double> rowHeights;
        double top { 0 }; // of the header, in content coordinates
        std::string headerTitle, footerTitle;
        bool hasHeaderView { false }, hasFooterView { false };
    };

    // The view behind the rows, or null.
    UIView* backgroundView() const { return m_backgroundView.get(); }

private:
    static void registerTableInit(rt::Class*);
    static void registerTableData(rt::Class*);
    static void registerTableQueries(rt::Class*);
    static void registerTableSelection(rt::Class*);
    static void registerTableLook(rt::Class*);
    static void registerTableViews(rt::Class*);

    long m_style { UITableViewStylePlain };
    rt::Weak<rt::Object> m_dataSource;
    rt::Weak<rt::Object> m_tableDelegate;
    double m_rowHeight { UITableViewAutomaticDimension };
    double m_sectionHeaderHeight { UITableViewAutomaticDimension };
    double m_sectionFooterHeight { UITableViewAutomaticDimension };
    double m_estimatedRowHeight { UITableViewAutomaticDimension };
    long m_separatorStyle { 1 };
    rt::Ref<UIColor> m_separatorColor;
    UIEdgeInsets m_separatorInset { 0, 16, 0, 0 };
    UIEdgeInsets m_sectionContentInset;
    bool m_sectionInsetSet { false };
    rt::Ref<UIView> m_tableHeaderView;
    rt::Ref<UIView> m_tableFooterView;
    rt::Ref<UIView> m_backgroundView;
    rt::Ref<UIView> m_wrapperView;
    bool m_allowsSelection { true };
    using Key = std::pair<long, long>;
    struct Visible {
        rt::Ref<UIView> view;
        bool isFooter;
    };

    void ensureGeometry();
    void computeGeometry();
    std::vector<Section> askStructure();
    double headerHeightFor(long section, bool hasTitle, bool hasView);
    double footerHeightFor(long section, bool hasTitle, bool hasView);
    UIEdgeInsets sectionInset();
    void showRows(const CGRect& visible, const UIEdgeInsets& inset);
    void showHeadersAndFooters(const CGRect& visible, const UIEdgeInsets& inset);
    rt::Ref<UIView> makeSupplementaryView(long section, bool footer);
    void placeSupplementaryView(UIView*, double top, double height, const UIEdgeInsets&);
    // Rows, headers and footers go above the background and wrapper views and below every view
    // that others added to the table, which float over the content as on a device.
    long contentInsertionIndex() const;
    void placeTableViews();
    UITableViewCell* makeCell(long section, long row);
    void recycle(rt::Ref<UITableViewCell>, long section, long row);
    void placeCell(UITableViewCell*, long section, long row, const UIEdgeInsets&);
    CellGroupPosition positionOf(long section, long row) const;

    std::vector<Section> m_sections;
    double m_contentHeight { 0 };
    bool m_geometryValid { false };
    uint64_t m_geometryGeneration { 0 };
    std::map<Key, rt::Ref<UITableViewCell>> m_visibleCells;
    std::map<Key, Visible> m_visibleSupplementary; // (section, 0) headers, (section, 1) footers
    std::map<std::string, std::vector<rt::Ref<UITableViewCell>>> m_reusePool;
    std::map<std::string, rt::Class*> m_registeredClasses;
    std::vector<Key> m_selected;
};

bool isTableView(rt::Object*);
