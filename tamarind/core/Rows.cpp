#include "tamarind/core/Rows.h"

#include "host/foundation/String.h"
#include "tamarind/core/HostClass.h"

namespace tamarind {

std::string identifierOf(rt::Object* row)
{
    return toStdString(rt::send<rt::Object*>(row, SELECTOR("identifier")));
}

std::string_view identifierView(rt::Object* row)
{
    rt::Object* id = rt::send<rt::Object*>(row, SELECTOR("identifier"));
    if (!isString(id))
        return {};
    const char* text = rt::send<const char*>(id, SELECTOR("UTF8String"));
    return text ? std::string_view(text) : std::string_view();
}

bool isGroupRow(rt::Object* row)
{
    rt::Object* cell = rt::send<rt::Object*>(row, SELECTOR("propertyForKey:"), ns("cell"));
    return rt::send<bool>(cell, SELECTOR("isEqual:"), ns("PSGroupCell"));
}

rt::Object* emptyGroupRow()
{
    static HostClass specifier("PSSpecifier");
    return rt::send<rt::Object*>(specifier.get(), SELECTOR("emptyGroupSpecifier"));
}

rt::Object* iconCacheImage(rt::Object* key)
{
    static HostClass iconCache("PKIconImageCache");
    rt::Object* cache = rt::send<rt::Object*>(iconCache.get(), SELECTOR("settingsIconCache"));
    return rt::send<rt::Object*>(cache, SELECTOR("imageForKey:"), key);
}

rt::Object* iconCacheImage(const char* key)
{
    return iconCacheImage(ns(key));
}

void setIconsFromCache(rt::Object* rows)
{
    for (unsigned long i = 0, n = countOf(rows); i < n; ++i) {
        rt::Object* row = objectAt(rows, i);
        rt::Object* key = rt::send<rt::Object*>(row, SELECTOR("propertyForKey:"), ns("iconCache"));
        rt::send(row, SELECTOR("setProperty:forKey:"), iconCacheImage(key), ns("iconImage"));
    }
}

rt::Object* pageIvar(rt::Object* page, const char* name)
{
    if (!page)
        return nullptr;
    return rt::getIvarObject(page, rt::getInstanceVariable(page->isa(), name));
}

void setPageIvar(rt::Object* page, const char* name, rt::Object* value)
{
    if (page)
        rt::setIvarObject(page, rt::getInstanceVariable(page->isa(), name), value);
}

void installSpecifiers(rt::Object* page, rt::Object* list)
{
    static HostClass mutableDictionary("NSMutableDictionary");
    auto byID = rt::newObject(mutableDictionary.get());
    for (unsigned long i = 0, n = countOf(list); i < n; ++i) {
        rt::Object* row = objectAt(list, i);
        if (rt::Object* id = rt::send<rt::Object*>(row, SELECTOR("identifier")))
            rt::send(byID, SELECTOR("setObject:forKey:"), row, id);
    }
    setPageIvar(page, "_specifiers", list);
    setPageIvar(page, "_specifiersByID", byID.get());
}

rt::Object* newMutableArray()
{
    static HostClass mutableArray("NSMutableArray");
    return rt::send<rt::Object*>(mutableArray.get(), SELECTOR("array"));
}

void append(rt::Object* array, rt::Object* row)
{
    if (row)
        rt::send(array, SELECTOR("addObject:"), row);
}

unsigned long countOf(rt::Object* array)
{
    return rt::send<unsigned long>(array, SELECTOR("count"));
}

rt::Object* objectAt(rt::Object* array, unsigned long i)
{
    return rt::send<rt::Object*>(array, SELECTOR("objectAtIndex:"), i);
}

}
