#include "host/foundation/Number.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "host/foundation/String.h"

using rt::Object;
using rt::SEL;

namespace {

NSNumber* num(Object* o) { return static_cast<NSNumber*>(o); }

std::string describe(const NSNumber* n)
{
    char buffer[64];
    switch (n->kind()) {
    case NSNumber::Kind::Bool:
    case NSNumber::Kind::Integer:
        std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(n->integerValue()));
        break;
    case NSNumber::Kind::Real:
        if (n->isFloat())
            *std::to_chars(buffer, buffer + sizeof buffer - 1, static_cast<float>(n->doubleValue())).ptr = 0;
        else
            std::snprintf(buffer, sizeof buffer, "%.17g", n->doubleValue());
        break;
    }
    return buffer;
}

void registerNumberMethods(rt::Class* c)
{
    using namespace rt;
    addMethod(c, sel("boolValue"), +[](Object* n, SEL) { return num(n)->boolValue(); });
    addMethod(c, sel("intValue"), +[](Object* n, SEL) { return static_cast<int>(num(n)->integerValue()); });
    addMethod(c, sel("integerValue"), +[](Object* n, SEL) { return static_cast<long>(num(n)->integerValue()); });
    addMethod(c, sel("floatValue"), +[](Object* n, SEL) { return static_cast<float>(num(n)->doubleValue()); });
    addMethod(c, sel("doubleValue"), +[](Object* n, SEL) { return num(n)->doubleValue(); });
    addMethod(c, sel("stringValue"), +[](Object* n, SEL) { return static_cast<Object*>(ns(describe(num(n)))); });
    addMethod(c, sel("description"), +[](Object* n, SEL) { return static_cast<Object*>(ns(describe(num(n)))); });
    addMethod(c, sel("copy"), +[](Object* n, SEL) { n->retain(); return n; });
    addMethod(c, sel("isEqual:"), +[](Object* n, SEL, Object* o) {
        return isNumber(o) && num(n)->doubleValue() == num(o)->doubleValue();
    });
    addMethod(c, sel("hash"), +[](Object* n, SEL) { return static_cast<unsigned long>(num(n)->integerValue()); });
    addClassMethod(c, sel("numberWithBool:"), +[](Class*, SEL, bool v) { return static_cast<Object*>(autorelease(NSNumber::withBool(v))); });
    addClassMethod(c, sel("numberWithInt:"), +[](Class*, SEL, int v) { return static_cast<Object*>(autorelease(NSNumber::withInteger(v))); });
    addClassMethod(c, sel("numberWithInteger:"), +[](Class*, SEL, long v) { return static_cast<Object*>(autorelease(NSNumber::withInteger(v))); });
    addClassMethod(
        c, sel("numberWithFloat:"),
        +[](Class*, SEL, float v) { return static_cast<Object*>(autorelease(NSNumber::withFloat(v))); });
    addMethod(
        c, sel("objCType"), +[](Object* n, SEL) {
            switch (num(n)->kind()) {
            case NSNumber::Kind::Bool:
                return "c";
            case NSNumber::Kind::Integer:
                return "q";
            case NSNumber::Kind::Real:
                break;
            }
            return num(n)->isFloat() ? "f" : "d";
        });
    addClassMethod(c, sel("numberWithDouble:"), +[](Class*, SEL, double v) { return static_cast<Object*>(autorelease(NSNumber::withDouble(v))); });
}

}

rt::Class* NSNumber::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<NSNumber>("NSNumber", rt::rootClass());
        registerNumberMethods(c);
        return c;
    }();
    return cls;
}

rt::Ref<NSNumber> NSNumber::make(Kind kind)
{
    auto n = rt::adopt(static_cast<NSNumber*>(classObject()->allocate()));
    n->m_kind = kind;
    return n;
}

rt::Ref<NSNumber> NSNumber::withBool(bool v)
{
    auto n = make(Kind::Bool);
    n->m_integer = v;
    return n;
}

rt::Ref<NSNumber> NSNumber::withInteger(int64_t v)
{
    auto n = make(Kind::Integer);
    n->m_integer = v;
    return n;
}

rt::Ref<NSNumber> NSNumber::withDouble(double v)
{
    auto n = make(Kind::Real);
    n->m_real = v;
    return n;
}

rt::Ref<NSNumber> NSNumber::withFloat(float v)
{
    auto n = withDouble(v);
    n->m_single = true;
    return n;
}

bool isNumber(rt::Object* o) { return rt::isKindOf(o, NSNumber::classObject()); }
