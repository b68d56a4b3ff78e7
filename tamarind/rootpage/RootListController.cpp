#include "tamarind/rootpage/RootListController.h"

#include "host/runtime/Runtime.h"
#include "tamarind/startup/ReplacementTable.h"

rt::Object* rootListController = nullptr;

namespace tamarind {

namespace {

using ViewDidLoadImp = void (*)(rt::Object*, rt::SEL);
ViewDidLoadImp originalViewDidLoad;

void rootViewDidLoad(rt::Object* self, rt::SEL cmd)
{
    originalViewDidLoad(self, cmd);
    // Kept for the life of the process, as the pages that reach the root page expect.
    if (self != rootListController) {
        self->retain();
        if (rootListController)
            rootListController->release();
        rootListController = self;
    }
}

}

void installRootViewDidLoad(rt::Class* rootPage) { replace(rootPage, "viewDidLoad", &rootViewDidLoad, &originalViewDidLoad); }

}
