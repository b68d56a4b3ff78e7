#include "tamarind/core/RootPage.h"

rt::Object* rootListController = nullptr;

namespace tamarind {

void keepRootListController(rt::Object* page)
{
    if (page == rootListController)
        return;
    if (page)
        page->retain();
    if (rootListController)
        rootListController->release();
    rootListController = page;
}

}
