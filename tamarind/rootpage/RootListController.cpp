#include "tamarind/rootpage/RootListController.h"

#include "tamarind/core/RootPage.h"

namespace tamarind {

Saved<ViewDidLoadImp> originalRootViewDidLoad;

void rootViewDidLoad(rt::Object* self, rt::SEL cmd)
{
    originalRootViewDidLoad(self, cmd);
    keepRootListController(self);
}

}
