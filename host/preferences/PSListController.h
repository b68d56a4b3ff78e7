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
    void reloadTable();

    // Sections of the current rows: the group row that starts each (or null) and its rows.
    struct Section {
        rt::Object* group;
        std::vector<rt::Object*> rows;
    };
    std::vector<Section> sections();
    rt::Object* specifierAt(long section, long row);

    rt::Ref<rt::Object> m_specifiers; // NSMutableArray of PSSpecifier
    rt::Ref<rt::Object> m_specifiersByID; // NSMutableDictionary
    rt::Ref<rt::Object> m_table; // UITableView
    rt::Ref<rt::Object> m_specifier; // the row that opened this page
    rt::Weak<rt::Object> m_parentController;
    rt::Weak<rt::Object> m_rootController;
};

// Rebuilds _specifiersByID from the rows (a later row wins; rows without identifier skipped).
void rebuildSpecifiersByID(PSListController*);
bool isListController(rt::Object*);
