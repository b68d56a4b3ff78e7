#pragma once

#include <string>
#include <vector>

#include "host/uikit/UINavigationItem.h"
#include "host/uikit/UIView.h"
#include "host/uikit/UIViewController.h"

// Preferences.framework's list page: a table of rows (specifiers) split into sections by group
// rows. The rows live in the instance variable _specifiers (a mutable array) with an index by
// identifier in _specifiersByID; `specifiers` builds them on first use. The page is the table's
// data source and delegate, and every step the library may replace is reached by message.
class PSListController : public UIViewController {
public:
    static rt::Class* classObject();

    // The rows, as the `specifiers` message returns them.
    rt::Object* specifiersByMessage();
    rt::Object* specifiersIvar() const { return m_specifiers.get(); }
    void setSpecifiers(rt::Object* rows);
    // Keeps the rows a page's `specifiers` built and indexes them by identifier. The table is not
    // reloaded: it is the one asking for them.
    void keepSpecifiers(rt::Object* rows);
    // Drops the rows, builds them afresh by message and reloads the table.
    void reloadSpecifiers();
    // Indexes the rows again and reloads the table, after rows were added to the list in place.
    void specifiersChanged();
    void reloadTable();
    // The row with the identifier, as the index last built has it (a later row wins).
    rt::Object* specifierWithID(rt::Object* identifier) const;

    // Sections of the current rows: the group row that starts each (or null) and its rows.
    struct Section {
        rt::Object* group;
        std::vector<rt::Object*> rows;
    };
    std::vector<Section> sections();
    rt::Object* specifierAt(long section, long row);

    // The UITableView loadView made.
    rt::Object* table() const { return m_table.get(); }
    // Stores the table loadView made, whose data source and delegate the page is.
    void setTable(rt::Object* table) { m_table = table; }
    // The row that opened this page.
    rt::Object* specifier() const { return m_specifier.get(); }
    rt::Ref<rt::Object> rootController() const { return m_rootController.load(); }
    // Stores where a page opened from a row stands: the row, the page it was opened from and
    // the root page of that list.
    void setOpenedFrom(rt::Object* row, rt::Object* parent, rt::Object* root)
    {
        m_specifier = row;
        m_parentController = parent;
        m_rootController = root;
    }

private:
    static void registerMethods(rt::Class*);
    // Rebuilds _specifiersByID from the rows (a later row wins; rows without identifier skipped).
    void rebuildSpecifiersByID();

    rt::Ref<rt::Object> m_specifiers; // NSMutableArray of PSSpecifier
    rt::Ref<rt::Object> m_specifiersByID; // NSMutableDictionary
    rt::Ref<rt::Object> m_table; // UITableView
    rt::Ref<rt::Object> m_specifier; // the row that opened this page
    rt::Weak<rt::Object> m_parentController;
    rt::Weak<rt::Object> m_rootController;
};

bool isListController(rt::Object*);
