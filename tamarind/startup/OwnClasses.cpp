#include "tamarind/startup/OwnClasses.h"

#include "tamarind/regrouping/ListPages.h"
#include "tamarind/regrouping/ModulePages.h"

namespace tamarind {

void registerOwnClasses()
{
    registerListPages();
    registerModulePages();
}

}
