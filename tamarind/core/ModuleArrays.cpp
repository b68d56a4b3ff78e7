#include "tamarind/core/ModuleArrays.h"

#include "host/foundation/Array.h"

rt::Object* connectivitySpecifiers = nullptr;
rt::Object* notificationSpecifiers = nullptr;
rt::Object* generalSpecifiers = nullptr;
rt::Object* thirdPartySpecifiers = nullptr;
rt::Object* systemAppSpecifiers = nullptr;

namespace tamarind {

void createModuleArrays()
{
    rt::AutoreleasePool pool;
    rt::Class* mutableArray = rt::getClass("NSMutableArray");
    for (rt::Object** array : { &connectivitySpecifiers, &notificationSpecifiers, &generalSpecifiers,
             &thirdPartySpecifiers, &systemAppSpecifiers })
        *array = rt::newObject(mutableArray).leak();
}

}
