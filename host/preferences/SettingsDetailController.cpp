#include "host/preferences/SettingsDetailController.h"

using rt::Object;
using rt::SEL;

rt::Class* SettingsDetailController::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<SettingsDetailController>("SettingsDetailController", PSListController::classObject());
        rt::addMethod(c, rt::sel("title"), +[](Object* self, SEL) -> Object* {
            auto* page = static_cast<PSListController*>(self);
            // A page pushed without a row has the title it was given.
            return page->specifier()
                ? rt::send<Object*>(page->specifier(), SELECTOR("name"))
                : rt::sendSuper<Object*>(self, SettingsDetailController::classObject(), SELECTOR("title"));
        });
        return c;
    }();
    return cls;
}
