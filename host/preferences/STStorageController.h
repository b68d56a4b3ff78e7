#pragma once

#include "host/preferences/PSListController.h"

// Settings' storage page (General > iPhone Storage): the usage bar over the categories' rows.
class STStorageController : public PSListController {
public:
    static rt::Class* classObject();
};
