#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The root page's own appearance and state: its viewDidLoad replacement stores the page as
// rootListController.

namespace tamarind {

using ViewDidLoadImp = void (*)(rt::Object*, rt::SEL);

void rootViewDidLoad(rt::Object* self, rt::SEL);
extern Saved<ViewDidLoadImp> originalRootViewDidLoad;
}
