#include "host/uikit/NSIndexPath.h"

#include <cstdio>

#include "host/foundation/String.h"
#include "host/runtime/Bind.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

NSIndexPath* path(Object* o)
{
    return static_cast<NSIndexPath*>(o);
}

void registerNSIndexPathMethods(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("indexPathForRow:inSection:"),
        +[](Class*, SEL, long row, long section) -> Object* { return NSIndexPath::make(section, row); });
    addClassMethod(
        c, sel("indexPathForItem:inSection:"),
        +[](Class*, SEL, long item, long section) -> Object* { return NSIndexPath::make(section, item); });
    bind<&NSIndexPath::section>(c, "section");
    bind<&NSIndexPath::row>(c, "row");
    bind<&NSIndexPath::row>(c, "item");
    addMethod(
        c, sel("length"), +[](Object*, SEL) { return 2UL; });
    addMethod(
        c, sel("copy"), +[](Object* s, SEL) {
            s->retain();
            return s;
        });
    addMethod(
        c, sel("isEqual:"), +[](Object* s, SEL, Object* o) {
            auto* other = dynamicCast<NSIndexPath>(o, NSIndexPath::classObject());
            return other && other->section() == path(s)->section() && other->row() == path(s)->row();
        });
    addMethod(
        c, sel("hash"), +[](Object* s, SEL) {
            return static_cast<unsigned long>(path(s)->section()) * 1000003UL
                + static_cast<unsigned long>(path(s)->row());
        });
    addMethod(
        c, sel("compare:"), +[](Object* s, SEL, Object* o) -> long {
            auto* other = dynamicCast<NSIndexPath>(o, NSIndexPath::classObject());
            if (!other)
                return 1;
            auto key = [](NSIndexPath* p) { return std::pair(p->section(), p->row()); };
            return key(path(s)) < key(other) ? -1 : key(path(s)) > key(other) ? 1 : 0;
        });
    addMethod(
        c, sel("description"), +[](Object* s, SEL) -> Object* {
            char text[64];
            std::snprintf(
                text, sizeof text, "<NSIndexPath> {length = 2, path = %ld - %ld}", path(s)->section(), path(s)->row());
            return ns(text);
        });
}

}

Class* NSIndexPath::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<NSIndexPath>("NSIndexPath", rt::rootClass());
        registerNSIndexPathMethods(c);
        return c;
    }();
    return cls;
}

rt::Ref<NSIndexPath> NSIndexPath::create(long section, long row)
{
    auto p = rt::adopt(static_cast<NSIndexPath*>(classObject()->allocate()));
    p->m_section = section;
    p->m_row = row;
    return p;
}

NSIndexPath* NSIndexPath::make(long section, long row)
{
    return rt::autorelease(create(section, row));
}

bool isIndexPath(Object* o)
{
    return rt::isKindOf(o, NSIndexPath::classObject());
}
