#include "host/uikit/UIColor.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "host/foundation/String.h"
#include "host/runtime/Bind.h"
#include "host/uikit/SystemColors.h"
#include "host/uikit/UITraitCollection.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UIColor* color(Object* o)
{
    return static_cast<UIColor*>(o);
}

double clamp01(double v)
{
    return std::clamp(v, 0.0, 1.0);
}

Object* makeColor(double r, double g, double b, double a)
{
    return rt::autorelease(UIColor::create({ clamp01(r), clamp01(g), clamp01(b), clamp01(a) }));
}

}

void UIColor::registerClassMethods(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("colorWithRed:green:blue:alpha:"),
        +[](Class*, SEL, double r, double g, double b, double a) { return makeColor(r, g, b, a); });
    addClassMethod(
        c, sel("colorWithWhite:alpha:"), +[](Class*, SEL, double w, double a) { return makeColor(w, w, w, a); });
    addClassMethod(
        c, sel("colorWithCGColor:"), +[](Class*, SEL, Object* cg) -> Object* {
            if (!isKindOf(cg, CGColor::classObject()))
                return nullptr;
            return autorelease(UIColor::create(static_cast<CGColor*>(cg)->color()));
        });
    addClassMethod(
        c, sel("colorWithDynamicProvider:"), +[](Class*, SEL, BlockBase* provider) -> Object* {
            auto created = UIColor::create({});
            created->m_provider = provider;
            return autorelease(std::move(created));
        });
    // One implementation answers every named colour: the selector is the colour's name.
    for (auto& entry : systemColorTable())
        addClassMethod(
            c, sel(entry.name), +[](Class*, SEL cmd) -> Object* { return UIColor::systemColor(selName(cmd)); });
}

void UIColor::registerInitializers(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithRed:green:blue:alpha:"), +[](Object* self, SEL, double r, double g, double b, double a) {
            color(self)->m_light = { clamp01(r), clamp01(g), clamp01(b), clamp01(a) };
            return self;
        });
    addMethod(
        c, sel("initWithWhite:alpha:"), +[](Object* self, SEL, double w, double a) {
            color(self)->m_light = { clamp01(w), clamp01(w), clamp01(w), clamp01(a) };
            return self;
        });
    addMethod(
        c, sel("initWithDynamicProvider:"), +[](Object* self, SEL, BlockBase* provider) {
            color(self)->m_provider = provider;
            return self;
        });
}

void UIColor::registerMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("resolvedColorWithTraitCollection:"), +[](Object* self, SEL, Object* traits) -> Object* {
            if (!color(self)->isDynamic())
                return self;
            auto* t = dynamicCast<UITraitCollection>(traits, UITraitCollection::classObject());
            return autorelease(
                UIColor::create(color(self)->resolved(t ? t->userInterfaceStyle() : UIUserInterfaceStyleLight)));
        });
    addMethod(
        c, sel("CGColor"), +[](Object* self, SEL) -> Object* {
            return autorelease(CGColor::create(color(self)->resolvedForCurrentTraits()));
        });
    addMethod(
        c, sel("colorWithAlphaComponent:"), +[](Object* self, SEL, double alpha) -> Object* {
            auto* c = color(self);
            auto copy = UIColor::createDynamic(c->resolved(UIUserInterfaceStyleLight).withAlpha(clamp01(alpha)),
                c->resolved(UIUserInterfaceStyleDark).withAlpha(clamp01(alpha)));
            copy->m_dynamic = c->isDynamic();
            return autorelease(std::move(copy));
        });
    addMethod(
        c, sel("getRed:green:blue:alpha:"), +[](Object* self, SEL, double* r, double* g, double* b, double* a) {
            RGBAColor v = color(self)->resolvedForCurrentTraits();
            double* out[] = { r, g, b, a };
            double values[] = { v.r, v.g, v.b, v.a };
            for (int i = 0; i < 4; ++i)
                if (out[i])
                    *out[i] = values[i];
            return true;
        });
    addMethod(
        c, sel("alphaComponent"), +[](Object* self, SEL) { return color(self)->resolvedForCurrentTraits().a; });
    addMethod(
        c, sel("_systemColorName"), +[](Object* self, SEL) -> Object* {
            auto& name = color(self)->m_systemName;
            return name.empty() ? nullptr : ns(name);
        });
    addMethod(
        c, sel("isEqual:"), +[](Object* self, SEL, Object* other) {
            auto* o = dynamicCast<UIColor>(other, UIColor::classObject());
            if (!o)
                return false;
            if (o == self)
                return true;
            auto* s = color(self);
            if (s->m_provider || o->m_provider)
                return false;
            return s->resolved(1) == o->resolved(1) && s->resolved(2) == o->resolved(2);
        });
    addMethod(
        c, sel("description"), +[](Object* self, SEL) -> Object* {
            RGBAColor v = color(self)->resolved(UIUserInterfaceStyleLight);
            char text[96];
            std::snprintf(text, sizeof text, "UIExtendedSRGBColorSpace %g %g %g %g", v.r, v.g, v.b, v.a);
            return ns(text);
        });
}

Class* UIColor::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIColor>("UIColor", rt::rootClass());
        registerClassMethods(c);
        registerInitializers(c);
        registerMethods(c);
        return c;
    }();
    return cls;
}

rt::Ref<UIColor> UIColor::create(RGBAColor value)
{
    auto c = rt::adopt(static_cast<UIColor*>(classObject()->allocate()));
    c->m_light = c->m_dark = value;
    return c;
}

rt::Ref<UIColor> UIColor::createDynamic(RGBAColor light, RGBAColor dark)
{
    auto c = create(light);
    c->m_dark = dark;
    c->m_dynamic = true;
    return c;
}

std::optional<RGBAColor> UIColor::parseHex(std::string_view text)
{
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    if (text.size() != 6 && text.size() != 8)
        return std::nullopt;
    unsigned value[4] = { 0, 0, 0, 255 };
    for (size_t i = 0; i < text.size(); ++i) {
        char ch = text[i];
        int digit = ch >= '0' && ch <= '9' ? ch - '0'
            : ch >= 'a' && ch <= 'f'       ? ch - 'a' + 10
            : ch >= 'A' && ch <= 'F'       ? ch - 'A' + 10
                                           : -1;
        if (digit < 0)
            return std::nullopt;
        value[i / 2] = (i % 2 ? value[i / 2] : 0) * 16 + digit;
    }
    return RGBAColor { value[0] / 255.0, value[1] / 255.0, value[2] / 255.0, value[3] / 255.0 };
}

rt::Ref<UIColor> UIColor::fromHex(std::string_view text)
{
    auto value = parseHex(text);
    return value ? create(*value) : nullptr;
}

UIColor* UIColor::systemColor(std::string_view name)
{
    static auto& cache = *new std::map<std::string, rt::Ref<UIColor>, std::less<>>;
    if (auto it = cache.find(name); it != cache.end())
        return it->second.get();
    const SystemColorEntry* entry = findSystemColor(name);
    if (!entry)
        return nullptr;
    auto c = createDynamic(entry->light, entry->dark);
    c->m_dynamic = entry->light != entry->dark;
    c->m_systemName = std::string(name);
    c->makeImmortal();
    return cache.emplace(std::string(name), std::move(c)).first->second.get();
}

RGBAColor UIColor::resolved(long style) const
{
    return resolved(style, 0);
}

RGBAColor UIColor::resolvedForCurrentTraits() const
{
    return resolved(UITraitCollection::current()->userInterfaceStyle());
}

RGBAColor UIColor::resolved(long style, int depth) const
{
    if (m_provider)
        return resolvedByProvider(style, depth);
    return m_dynamic && style == UIUserInterfaceStyleDark ? m_dark : m_light;
}

// Dynamic provider blocks may return dynamic colours in turn; a few levels are plenty and stop
// a provider that returns itself.
RGBAColor UIColor::resolvedByProvider(long style, int depth) const
{
    if (depth > 4)
        return {};
    Object* traits = UITraitCollection::forStyle(style == UIUserInterfaceStyleDark ? style : UIUserInterfaceStyleLight);
    rt::AutoreleasePool pool;
    Object* result = rt::callBlock<Object*(Object*)>(m_provider.get(), traits);
    if (auto* resolved = rt::dynamicCast<UIColor>(result, UIColor::classObject()))
        return resolved->resolved(style, depth + 1);
    return {};
}

Class* CGColor::classObject()
{
    static Class* cls = rt::defineCppClass<CGColor>("CGColor", rt::rootClass());
    return cls;
}

rt::Ref<CGColor> CGColor::create(RGBAColor value)
{
    auto c = rt::adopt(static_cast<CGColor*>(classObject()->allocate()));
    c->m_color = value;
    return c;
}

RGBAColor resolveColorObject(Object* o, long style)
{
    if (rt::isKindOf(o, UIColor::classObject()))
        return static_cast<UIColor*>(o)->resolved(style);
    if (rt::isKindOf(o, CGColor::classObject()))
        return static_cast<CGColor*>(o)->color();
    return {};
}

bool isColor(Object* o)
{
    return rt::isKindOf(o, UIColor::classObject());
}
