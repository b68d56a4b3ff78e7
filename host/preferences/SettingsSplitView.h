#pragma once

#include "host/runtime/Runtime.h"

// Settings on an iPad: the root list in a split view's primary column and the page a root row
// opens in the secondary column beside it. Until a row is chosen, and whenever the chosen row's
// page cannot be built, the secondary column shows an empty page.
namespace settings {

// The split view holding the root list's navigation controller in its primary column and a
// navigation controller with the empty page in its secondary column.
rt::Ref<rt::Object> makeSplitView(rt::Object* primaryNavigation);

// The page the secondary column shows when no row's page is there.
rt::Ref<rt::Object> makeEmptyDetailPage();
bool isEmptyDetailPage(rt::Object* controller);

// Whether a row is one a person taps to open a page (a link, or a link to a list of choices).
bool isLinkRow(rt::Object* row);

// Whether the pages `page` opens go to the secondary column: it stands in a split view's primary
// column. Its rows' pages are then shown beside it instead of pushed above it.
bool opensPagesBeside(rt::Object* page);
// Shows `controller` in the secondary column of the split view that `page` stands in, or the
// empty page when `controller` is null.
void showBeside(rt::Object* page, rt::Object* controller);

}
