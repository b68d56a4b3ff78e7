#pragma once

#include "host/preferences/PSListController.h"

// PreferenceLoader's page for a simple pane: its rows are the "items" of the entry file (each a
// dictionary with "cell", "label" and optionally "key", "default", "footerText"), carried by the
// row that opened the page.
class PLLocalizedListController : public PSListController {
public:
    static rt::Class* classObject();
};
