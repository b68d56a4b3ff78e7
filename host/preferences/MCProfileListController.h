#pragma once

#include "host/uikit/UIView.h"
#include "host/uikit/UIViewController.h"

// MCProfileListController: the page of installed configuration profiles. A profile downloaded
// but not yet installed waits in "purgatory"; the page offers it in a sheet.
class MCProfileListController final : public UIViewController {
public:
    static rt::Class* classObject();
};
