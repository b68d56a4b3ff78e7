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
    if (page->m_specifiers)
        return page->m_specifiers.get();
    auto list = NSArray::createMutable();
    Object* items = page->m_specifier ? static_cast<PSSpecifier*>(page->m_specifier.get())->property("items") : nullptr;
    if (isArray(items)) {
        for (auto& item : static_cast<NSArray*>(items)->items()) {
            if (!isDictionary(item.get()))
                continue;
            auto* dict = static_cast<NSDictionary*>(item.get());
            std::string cell = toStdString(dict->get("cell"));
            auto row = PSSpecifier::create(toStdString(dict->get("label")), self, nullptr, PSSpecifier::cellTypeNamed(cell));
            row->m_properties = NSDictionary::createMutable(dict->entries());
            row->setProperty("cell", NSString::create(cell));
            // A pane's rows keep their values in the domain they name, through the page.
            row->m_getter = rt::sel("readPreferenceValue:");
            row->m_setter = rt::sel("setPreferenceValue:specifier:");
            list->add(row.get());
        }
    }
    page->m_specifiers = list;
    rebuildSpecifiersByID(page);
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
            return page->m_specifier ? rt::send<Object*>(page->m_specifier, SELECTOR("name")) : nullptr;
        });
        return c;
    }();
    return cls;
}
