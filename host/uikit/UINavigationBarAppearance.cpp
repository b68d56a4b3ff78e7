#include "host/foundation/Dictionary.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UINavigationBar.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UINavigationBarAppearance* appearance(Object* o)
{
    return static_cast<UINavigationBarAppearance*>(o);
}

rt::Ref<Object> attributes(Object* value)
{
    // Attributes are kept as an immutable copy, as UIKit copies the dictionary it is given.
    if (!isDictionary(value))
        return NSDictionary::create();
    return NSDictionary::create(static_cast<NSDictionary*>(value)->entries());
}

}

Class* UINavigationBarAppearance::classObject()
{
    static Class* cls = [] {
        Class* bar = rt::defineCppClass<rt::Object>("UIBarAppearance", rt::rootClass());
        auto* c = rt::defineCppClass<UINavigationBarAppearance>("UINavigationBarAppearance", bar);
        registerMethods(c);
        return c;
    }();
    return cls;
}

void UINavigationBarAppearance::registerMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("init"), +[](Object* s, SEL) {
            appearance(s)->m_titleTextAttributes = NSDictionary::create();
            appearance(s)->m_largeTitleTextAttributes = NSDictionary::create();
            return s;
        });
    addMethod(
        c, sel("copy"), +[](Object* s, SEL) -> Object* {
            auto copy = UINavigationBarAppearance::create();
            auto* source = appearance(s);
            copy->m_backgroundColor = source->m_backgroundColor;
            copy->m_titleTextAttributes = source->m_titleTextAttributes;
            copy->m_largeTitleTextAttributes = source->m_largeTitleTextAttributes;
            copy->m_shadowColor = source->m_shadowColor;
            copy->m_transparent = source->m_transparent;
            return copy.leak();
        });
    addMethod(
        c, sel("configureWithDefaultBackground"), +[](Object* s, SEL) {
            appearance(s)->m_backgroundColor = nullptr;
            appearance(s)->m_transparent = false;
        });
    addMethod(
        c, sel("configureWithOpaqueBackground"), +[](Object* s, SEL) {
            appearance(s)->m_backgroundColor = UIColor::systemColor("systemBackgroundColor");
            appearance(s)->m_transparent = false;
        });
    addMethod(
        c, sel("configureWithTransparentBackground"), +[](Object* s, SEL) {
            appearance(s)->m_backgroundColor = nullptr;
            appearance(s)->m_transparent = true;
        });
    bindGetter<&UINavigationBarAppearance::m_backgroundColor>(c, "backgroundColor");
    addMethod(
        c, sel("setBackgroundColor:"), +[](Object* s, SEL, Object* color) {
            appearance(s)->m_backgroundColor = isColor(color) ? color : nullptr;
            if (color)
                appearance(s)->m_transparent = false;
            appearance(s)->changed();
        });
    bindGetter<&UINavigationBarAppearance::m_titleTextAttributes>(c, "titleTextAttributes");
    addMethod(
        c, sel("setTitleTextAttributes:"),
        +[](Object* s, SEL, Object* a) {
            appearance(s)->m_titleTextAttributes = attributes(a);
            appearance(s)->changed();
        });
    bindGetter<&UINavigationBarAppearance::m_largeTitleTextAttributes>(c, "largeTitleTextAttributes");
    addMethod(
        c, sel("setLargeTitleTextAttributes:"),
        +[](Object* s, SEL, Object* a) {
            appearance(s)->m_largeTitleTextAttributes = attributes(a);
            appearance(s)->changed();
        });
    bindGetter<&UINavigationBarAppearance::m_shadowColor>(c, "shadowColor");
    addMethod(
        c, sel("setShadowColor:"),
        +[](Object* s, SEL, Object* color) { appearance(s)->m_shadowColor = isColor(color) ? color : nullptr; });
    addMethod(
        c, sel("setBackgroundEffect:"), +[](Object*, SEL, Object*) {});
}

void UINavigationBarAppearance::storeTitleTextAttributes(rt::Ref<rt::Object> attributes, bool large)
{
    (large ? m_largeTitleTextAttributes : m_titleTextAttributes) = std::move(attributes);
}

void UINavigationBarAppearance::changed()
{
    if (m_owner)
        m_owner->refreshContent();
}

rt::Ref<UINavigationBarAppearance> UINavigationBarAppearance::create()
{
    return rt::Ref<UINavigationBarAppearance>(
        static_cast<UINavigationBarAppearance*>(rt::newObject(classObject()).get()));
}
