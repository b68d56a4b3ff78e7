#pragma once

#include "host/uikit/UITableViewCell.h"

// Preferences.framework's cell: shows one row (a PSSpecifier) as Settings does: the row's icon
// ("iconImage"), its name, its value text, a chevron for rows that open a page and a switch for
// switch rows. The row is read by message only (name, propertyForKey:, identifier, cellType),
// so any row object that answers them can be shown.
class PSTableCell : public UITableViewCell {
public:
    // Preferences' cell types, as `cellType` answers them.
    enum CellType : long {
        GroupCell = 0,
        LinkCell = 1,
        LinkListCell = 2,
        ListItemCell = 3,
        TitleValueCell = 4,
        SliderCell = 5,
        SwitchCell = 6,
        StaticTextCell = 7,
        ButtonCell = 13,
    };

    static rt::Class* classObject();

    // Fills the cell from the row (refreshCellContentsWithSpecifier:'s work).
    void refreshFrom(rt::Object* specifier);
    // The value the cell's control shows, as a number object (the switch's state).
    rt::Object* controlValue() const;

    rt::Ref<rt::Object> m_specifier;
    rt::Ref<rt::Object> m_control;
    rt::Ref<rt::Object> m_value;
    long m_type { LinkCell };
    bool m_checked { false };
    bool m_cellEnabled { true };

private:
    void showValue(rt::Object* value);
    void showControl(rt::Object* value);
};
