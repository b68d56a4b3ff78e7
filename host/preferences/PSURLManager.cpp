#include "host/preferences/PSURLManager.h"

#include "host/runtime/Bind.h"

using rt::Class;
using rt::Object;
using rt::SEL;

rt::Class* PSURLManager::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<PSURLManager>("PSURLManager", rt::rootClass());
        rt::addClassMethod(
            c, rt::sel("sharedManager"), +[](Class*, SEL) -> Object* { return PSURLManager::sharedManager(); });
        rt::bindReadOnlyProperty<&PSURLManager::m_topLevelController>(c, "topLevelController");
        return c;
    }();
    return cls;
}

PSURLManager* PSURLManager::sharedManager()
{
    static PSURLManager* shared = [] {
        auto* manager = static_cast<PSURLManager*>(classObject()->allocate());
        manager->makeImmortal();
        return manager;
    }();
    return shared;
}
