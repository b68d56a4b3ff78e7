#include "tamarind/styling/PageKinds.h"

#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/styling/CellRules.h"

namespace tamarind {

namespace {

}

bool isInPageOfKind(rt::Object* view, rt::Class* pageClass)
{
    if (!pageClass)
        return false;
    rt::Object* controller = owningController(view);
    return controller && rt::isKindOf(controller, pageClass);
}

bool isInPreferencePage(rt::Object* view)
{
    return isInPageOfKind(view, listPageClass.get());
}

bool isOnRootList(rt::Object* view)
{
    return isInPageOfKind(view, rootPageClass.get());
}

}
