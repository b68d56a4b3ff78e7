#include "host/uikit/UIBarButtonItem.h"

#include "host/runtime/Bind.h"
#include "host/uikit/TargetAction.h"
#include "host/uikit/UIView.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UIBarButtonItem* barButton(Object* o)
{
    return static_cast<UIBarButtonItem*>(o);
}

}

Class* UIBarButtonItem::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIBarButtonItem>("UIBarButtonItem", rt::rootClass());
        registerInitializers(c);
        registerProperties(c);
        return c;
    }();
    return cls;
}

void UIBarButtonItem::registerInitializers(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithCustomView:"), +[](Object* s, SEL, Object* v) {
            barButton(s)->m_customView = isView(v) ? static_cast<UIView*>(v) : nullptr;
            return s;
        });
    addMethod(
        c, sel("initWithTitle:style:target:action:"),
        +[](Object* s, SEL, Object* title, long style, Object* target, SEL action) {
            barButton(s)->m_title = title;
            barButton(s)->m_style = style;
            barButton(s)->setTargetAction(target, action);
            return s;
        });
    addMethod(
        c, sel("initWithImage:style:target:action:"),
        +[](Object* s, SEL, Object* image, long style, Object* target, SEL action) {
            barButton(s)->m_image = image;
            barButton(s)->m_style = style;
            barButton(s)->setTargetAction(target, action);
            return s;
        });
    addMethod(
        c, sel("initWithBarButtonSystemItem:target:action:"),
        +[](Object* s, SEL, long system, Object* target, SEL action) {
            barButton(s)->m_systemItem = system;
            barButton(s)->setTargetAction(target, action);
            return s;
        });
    addMethod(
        c, sel("initWithImage:menu:"), +[](Object* s, SEL, Object* image, Object* menu) {
            barButton(s)->m_image = image;
            barButton(s)->m_menu = menu;
            return s;
        });
}

void UIBarButtonItem::registerProperties(Class* c)
{
    using namespace rt;
    bindProperty<&UIBarButtonItem::m_customView>(c, "customView");
    bindProperty<&UIBarButtonItem::m_title>(c, "title");
    bindProperty<&UIBarButtonItem::m_image>(c, "image");
    bindProperty<&UIBarButtonItem::m_menu>(c, "menu");
    bindProperty<&UIBarButtonItem::m_tintColor>(c, "tintColor");
    bindProperty<&UIBarButtonItem::m_target>(c, "target");
    bindProperty<&UIBarButtonItem::m_action>(c, "action");
    bindProperty<&UIBarButtonItem::m_style>(c, "style");
    bindProperty<&UIBarButtonItem::m_enabled>(c, { "enabled", "isEnabled" });
    bindProperty<&UIBarButtonItem::m_width>(c, "width");
    addMethod(
        c, sel("_sendAction:"), +[](Object* s, SEL, Object*) { barButton(s)->performAction(); });
}

void UIBarButtonItem::setBarView(UIView* view)
{
    m_barView = view;
}

void UIBarButtonItem::performAction()
{
    if (!m_enabled || !m_action)
        return;
    if (auto target = m_target.load())
        sendAction(target.get(), m_action, this);
}
