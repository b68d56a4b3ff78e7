#pragma once

#include "host/preferences/PSSpecifier.h"
#include "host/uikit/UITableViewCell.h"

// Preferences.framework's cell: shows one row (a PSSpecifier) as Settings does: the row's icon
// ("iconImage"), its name, its value text, a chevron for rows that open a page and a switch for
// switch rows. The row is read by message only (name, propertyForKey:, identifier, cellType),
// so any row object that answers them can be shown.
class PSTableCell : public UITableViewCell {
public:
    static rt::Class* classObject();

    // Fills the cell from the row (refreshCellContentsWithSpecifier:'s work).
    void refreshFrom(rt::Object* specifier);
    // The value the cell's control shows, as a number object (the switch's state).
    rt::Object* controlValue() const;

    // The control the cell shows for its row (a switch, a slider), or null.
    rt::Object* control() const { return m_control.get(); }
    // Stores the control a cell of a subclass made for its row; showing it is the subclass's work.
    void setControl(rt::Object* control) { m_control = control; }

private:
    static void registerInit(rt::Class*);
    static void registerContent(rt::Class*);
    void showValue(rt::Object* value);
    void showControl(rt::Object* value);

    rt::Ref<rt::Object> m_specifier;
    rt::Ref<rt::Object> m_control;
    rt::Ref<rt::Object> m_value;
    long m_type { PSLinkCell };
    bool m_checked { false };
    bool m_cellEnabled { true };
};
