#include "host/uikit/UIMenu.h"

#include "host/foundation/Array.h"
#include "host/foundation/String.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UIAction* action(Object* o)
{
    return static_cast<UIAction*>(o);
}
UIMenu* menu(Object* o)
{
    return static_cast<UIMenu*>(o);
}

Object* makeAction(Object* title, Object* image, Object* identifier, rt::BlockBase* handler)
{
    auto a = rt::adopt(static_cast<UIAction*>(UIAction::classObject()->allocate()));
    a->m_title = title;
    a->m_image = image;
    a->m_identifier = identifier;
    a->m_handler = handler;
    return rt::autorelease(std::move(a));
}

Object* makeMenu(Object* title, Object* image, Object* identifier, unsigned long options, Object* children)
{
    auto m = rt::adopt(static_cast<UIMenu*>(UIMenu::classObject()->allocate()));
    m->m_title = title ? title : ns("");
    m->m_image = image;
    m->m_identifier = identifier;
    m->m_options = options;
    if (isArray(children))
        for (auto& child : static_cast<NSArray*>(children)->m_items)
            if (rt::isKindOf(child.get(), UIAction::classObject()) || rt::isKindOf(child.get(), UIMenu::classObject()))
                m->m_children.push_back(child);
    return rt::autorelease(std::move(m));
}

void registerAction(Class* c)
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
    addMethod(
        c, sel("title"), +[](Object* s, SEL) -> Object* { return action(s)->m_title.get(); });
    addMethod(
        c, sel("setTitle:"), +[](Object* s, SEL, Object* t) { action(s)->m_title = t; });
    addMethod(
        c, sel("image"), +[](Object* s, SEL) -> Object* { return action(s)->m_image.get(); });
    addMethod(
        c, sel("identifier"), +[](Object* s, SEL) -> Object* { return action(s)->m_identifier.get(); });
    addMethod(
        c, sel("attributes"), +[](Object* s, SEL) { return action(s)->m_attributes; });
    addMethod(
        c, sel("setAttributes:"), +[](Object* s, SEL, unsigned long a) { action(s)->m_attributes = a; });
    addMethod(
        c, sel("state"), +[](Object* s, SEL) { return action(s)->m_state; });
    addMethod(
        c, sel("setState:"), +[](Object* s, SEL, long v) { action(s)->m_state = v; });
}

void registerMenu(Class* c)
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
    addMethod(
        c, sel("title"), +[](Object* s, SEL) -> Object* { return menu(s)->m_title.get(); });
    addMethod(
        c, sel("children"),
        +[](Object* s, SEL) -> Object* { return autorelease(NSArray::create(menu(s)->m_children)); });
    addMethod(
        c, sel("options"), +[](Object* s, SEL) { return menu(s)->m_options; });
}

}

Class* UIAction::classObject()
{
    static Class* cls = [] {
        Class* element = rt::defineCppClass<rt::Object>("UIMenuElement", rt::rootClass());
        auto* c = rt::defineCppClass<UIAction>("UIAction", element);
        registerAction(c);
        return c;
    }();
    return cls;
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
        registerMenu(c);
        return c;
    }();
    return cls;
}
