#include "tamarind/regrouping/OwnPages.h"

#include "tamarind/core/DefiningClass.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/Rows.h"

namespace tamarind {

namespace {

// [super viewDidLoad], then the host's own reloadSpecifiers, which asks the page for its rows.
void pageViewDidLoad(rt::Object* self, rt::SEL cmd)
{
    rt::sendSuper(self, definingClass(self, cmd, &pageViewDidLoad), cmd);
    rt::send(self, SELECTOR("reloadSpecifiers"));
}

}

rt::Class* registerOwnPage(const OwnPage& page)
{
    rt::Class* super = listPageClass.get();
    if (!super)
        return nullptr;
    rt::ClassBuilder builder(page.name, super);
    builder.method("specifiers", page.specifiers).method("viewDidLoad", &pageViewDidLoad).method("title", page.title);
    if (page.extend)
        page.extend(builder);
    return builder.registerClass();
}

void declareUnusedTable(rt::ClassBuilder& builder)
{
    builder.ivar<rt::Ref<rt::Object>>("_table");
}

rt::Object* showModuleArray(rt::Object* page, rt::Object* array, RowIcons icons)
{
    if (rt::Object* existing = pageIvar(page, "_specifiers"))
        return existing;
    setPageIvar(page, "_specifiers", array);
    if (icons == RowIcons::FromIconCache)
        setIconsFromCache(array);
    return pageIvar(page, "_specifiers");
}

}
