#include "host/uikit/UIMenu.h"

#include "host/foundation/Array.h"
#include "host/foundation/String.h"
#include "host/runtime/Bind.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UIMenu* menu(Object* o)
{
    return static_cast<UIMenu*>(o);
}

Object* makeAction(Object* title, Object* image, Object* identifier, rt::BlockBase* handler)
{
    return rt::autorelease(UIAction::create(title, image, identifier, handler));
}

Object* makeMenu(Object* title, Object* image, Object* identifier, unsigned long options, Object* children)
{
    return rt::autorelease(UIMenu::create(title, image, identifier, options, children));
}

}

Class* UIAction::classObject()
{
    static Class* cls = [] {
        Class* element = rt::defineCppClass<rt::Object>("UIMenuElement", rt::rootClass());
        auto* c = rt::defineCppClass<UIAction>("UIAction", element);
        registerMethods(c);
        return c;
    }();
    return cls;
}

void UIAction::registerMethods(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("actionWithTitle:image:identifier:handler:"),
        +[](Class*, SEL, Object* title, Object* image, Object* identifier, BlockBase* handler) {
            return makeAction(title, image, identifier, handler);
        });
    addClassMethod(
        c, sel("actionWithHandler:"),
        +[](Class*, SEL, BlockBase* handler) { return makeAction(ns(""), nullptr, nullptr, handler); });
    bindProperty<&UIAction::m_title>(c, "title");
    bindReadOnlyProperty<&UIAction::m_image>(c, "image");
    bindReadOnlyProperty<&UIAction::m_identifier>(c, "identifier");
    bindProperty<&UIAction::m_attributes>(c, "attributes");
    bindProperty<&UIAction::m_state>(c, "state");
}

rt::Ref<UIAction> UIAction::create(Object* title, Object* image, Object* identifier, rt::BlockBase* handler)
{
    auto a = rt::adopt(static_cast<UIAction*>(classObject()->allocate()));
    a->m_title = title;
    a->m_image = image;
    a->m_identifier = identifier;
    a->m_handler = handler;
    return a;
}

void UIAction::perform()
{
    rt::Ref<UIAction> keep(this);
    rt::callBlock<void(Object*)>(m_handler.get(), this);
}

Class* UIMenu::classObject()
{
    static Class* cls = [] {
        UIAction::classObject();
        auto* c = rt::defineCppClass<UIMenu>("UIMenu", rt::getClass("UIMenuElement"));
        registerMethods(c);
        return c;
    }();
    return cls;
}

void UIMenu::registerMethods(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("menuWithTitle:children:"),
        +[](Class*, SEL, Object* title, Object* children) { return makeMenu(title, nullptr, nullptr, 0, children); });
    addClassMethod(
        c, sel("menuWithChildren:"),
        +[](Class*, SEL, Object* children) { return makeMenu(nullptr, nullptr, nullptr, 0, children); });
    addClassMethod(
        c, sel("menuWithTitle:image:identifier:options:children:"),
        +[](Class*, SEL, Object* title, Object* image, Object* identifier, unsigned long options, Object* children) {
            return makeMenu(title, image, identifier, options, children);
        });
    bindReadOnlyProperty<&UIMenu::m_title>(c, "title");
    addMethod(
        c, sel("children"),
        +[](Object* s, SEL) -> Object* { return autorelease(NSArray::create(menu(s)->m_children)); });
    bindReadOnlyProperty<&UIMenu::m_options>(c, "options");
}

rt::Ref<UIMenu> UIMenu::create(
    Object* title, Object* image, Object* identifier, unsigned long options, Object* children)
{
    auto m = rt::adopt(static_cast<UIMenu*>(classObject()->allocate()));
    m->m_title = title ? title : ns("");
    m->m_image = image;
    m->m_identifier = identifier;
    m->m_options = options;
    if (isArray(children))
        for (auto& child : static_cast<NSArray*>(children)->items())
            if (rt::isKindOf(child.get(), UIAction::classObject()) || rt::isKindOf(child.get(), classObject()))
                m->m_children.push_back(child);
    return m;
}
