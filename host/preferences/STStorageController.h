#pragma once

#include "host/preferences/PSListController.h"
#include "host/preferences/PSTableCell.h"

// Settings' storage page (General > iPhone Storage): the usage bar over the categories' rows.
class STStorageController : public PSListController {
public:
    static rt::Class* classObject();
};

// The cell that holds the usage bar. It gives the bar the device's storage figures when it is
// made, before it stands in any page, as Settings does.
class PSCapacityBarCell : public PSTableCell {
public:
    static rt::Class* classObject();
    rt::Ref<rt::Object> m_bar; // PSCapacityBarView
};
