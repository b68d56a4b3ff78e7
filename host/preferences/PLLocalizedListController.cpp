#include "host/preferences/PLLocalizedListController.h"

#include "host/foundation/Array.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/String.h"
#include "host/preferences/PSSpecifier.h"

using rt::Object;
using rt::SEL;

namespace {

Object* itemSpecifiers(Object* self, SEL)
{
    auto* page = static_cast<PSListController*>(self);
    if (Object* built = page->specifiersIvar())
        return built;
    auto list = NSArray::createMutable();
    Object* items = page->specifier() ? static_cast<PSSpecifier*>(page->specifier())->property("items") : nullptr;
    if (isArray(items)) {
        for (auto& item : static_cast<NSArray*>(items)->m_items) {
            if (!isDictionary(item.get()))
                continue;
            auto* dict = static_cast<NSDictionary*>(item.get());
            std::string cell = toStdString(dict->get("cell"));
            auto row = PSSpecifier::create(toStdString(dict->get("label")), self, nullptr, PSSpecifier::cellTypeNamed(cell));
            row->setProperties(NSDictionary::createMutable(dict->m_map).get());
            row->setProperty("cell", NSString::create(cell));
            // A pane's rows keep their values in the domain they name, through the page.
            row->setValueAccessors(rt::sel("setPreferenceValue:specifier:"), rt::sel("readPreferenceValue:"));
            list->add(row.get());
        }
    }
    page->keepSpecifiers(list.get());
    return list.get();
}

}

rt::Class* PLLocalizedListController::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<PLLocalizedListController>("PLLocalizedListController", PSListController::classObject());
        rt::addMethod(c, rt::sel("specifiers"), &itemSpecifiers);
        rt::addMethod(c, rt::sel("title"), +[](Object* self, SEL) -> Object* {
            auto* page = static_cast<PSListController*>(self);
            return page->specifier() ? rt::send<Object*>(page->specifier(), SELECTOR("name")) : nullptr;
        });
        return c;
    }();
    return cls;
}
