#include "host/preferences/PSURLManager.h"

using rt::Class;
using rt::Object;
using rt::SEL;

rt::Class* PSURLManager::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<PSURLManager>("PSURLManager", rt::rootClass());
        rt::addClassMethod(
            c, rt::sel("sharedManager"), +[](Class*, SEL) -> Object* { return PSURLManager::sharedManager(); });
        rt::addMethod(
            c, rt::sel("topLevelController"), +[](Object* s, SEL) -> Object* {
                return rt::autorelease(static_cast<PSURLManager*>(s)->m_topLevelController.load().leak());
            });
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
