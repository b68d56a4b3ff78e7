#pragma once

#include "host/runtime/Runtime.h"

// Which page a view belongs to, decided by its nearest view controller (_viewControllerForAncestor).
// A host class that is missing makes every test false.

namespace tamarind {

// Inside a preference page: the nearest view controller is a kind of PSListController.
bool isInPreferencePage(rt::Object* view);
// On the root list: the nearest view controller is a kind of PSUIPrefsListController.
bool isOnRootList(rt::Object* view);
// Whether the nearest view controller is a kind of the named class.
bool isInPageOfKind(rt::Object* view, rt::Class* pageClass);

}
