#include "host/uikit/UINavigationItem.h"

#include "host/foundation/Array.h"
#include "host/foundation/String.h"
#include "host/runtime/Bind.h"
#include "host/uikit/TargetAction.h"
#include "host/uikit/UIView.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UINavigationItem* item(Object* o)
{
    return static_cast<UINavigationItem*>(o);
}
UIBarButtonItem* barButton(Object* o)
{
    return static_cast<UIBarButtonItem*>(o);
}

rt::Ref<Object> barItem(Object* o)
{
    return rt::isKindOf(o, UIBarButtonItem::classObject()) ? rt::Ref<Object>(o) : nullptr;
}

Object* itemsArray(const std::vector<rt::Ref<Object>>& items)
{
    return rt::autorelease(NSArray::create(items));
}

std::vector<rt::Ref<Object>> itemsFrom(Object* array)
{
    std::vector<rt::Ref<Object>> items;
    if (isArray(array))
        for (auto& entry : static_cast<NSArray*>(array)->m_items)
            if (auto ok = barItem(entry.get()))
                items.push_back(ok);
    return items;
}

template <rt::Ref<Object> UINavigationItem::*Member>
void registerObjectProperty(Class* c, const char* getter, const char* setter)
{
    rt::addMethod(
        c, rt::sel(getter), +[](Object* s, SEL) -> Object* { return (item(s)->*Member).get(); });
    rt::addMethod(
        c, rt::sel(setter), +[](Object* s, SEL, Object* value) {
            item(s)->*Member = value;
            item(s)->changed();
        });
}

void registerItemMethods(Class* c)
{
    using namespace rt;
    registerObjectProperty<&UINavigationItem::m_title>(c, "title", "setTitle:");
    registerObjectProperty<&UINavigationItem::m_titleView>(c, "titleView", "setTitleView:");
    registerObjectProperty<&UINavigationItem::m_backItem>(c, "backBarButtonItem", "setBackBarButtonItem:");
    registerObjectProperty<&UINavigationItem::m_searchController>(c, "searchController", "setSearchController:");
    registerObjectProperty<&UINavigationItem::m_prompt>(c, "prompt", "setPrompt:");
    registerObjectProperty<&UINavigationItem::m_standardAppearance>(c, "standardAppearance", "setStandardAppearance:");
    registerObjectProperty<&UINavigationItem::m_scrollEdgeAppearance>(
        c, "scrollEdgeAppearance", "setScrollEdgeAppearance:");
    addMethod(
        c, sel("initWithTitle:"), +[](Object* s, SEL, Object* title) {
            item(s)->m_title = title;
            return s;
        });
}

void registerBarButtonSlots(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("rightBarButtonItem"), +[](Object* s, SEL) -> Object* {
            return item(s)->m_rightItems.empty() ? nullptr : item(s)->m_rightItems.front().get();
        });
    addMethod(
        c, sel("setRightBarButtonItem:"), +[](Object* s, SEL, Object* b) {
            item(s)->m_rightItems.clear();
            if (auto ok = barItem(b))
                item(s)->m_rightItems.push_back(ok);
            item(s)->changed();
        });
    addMethod(
        c, sel("setRightBarButtonItem:animated:"),
        +[](Object* s, SEL, Object* b, bool) { send(s, SELECTOR("setRightBarButtonItem:"), b); });
    addMethod(
        c, sel("rightBarButtonItems"), +[](Object* s, SEL) { return itemsArray(item(s)->m_rightItems); });
    addMethod(
        c, sel("setRightBarButtonItems:"), +[](Object* s, SEL, Object* array) {
            item(s)->m_rightItems = itemsFrom(array);
            item(s)->changed();
        });
    addMethod(
        c, sel("leftBarButtonItem"), +[](Object* s, SEL) -> Object* {
            return item(s)->m_leftItems.empty() ? nullptr : item(s)->m_leftItems.front().get();
        });
    addMethod(
        c, sel("setLeftBarButtonItem:"), +[](Object* s, SEL, Object* b) {
            item(s)->m_leftItems.clear();
            if (auto ok = barItem(b))
                item(s)->m_leftItems.push_back(ok);
            item(s)->changed();
        });
    addMethod(
        c, sel("leftBarButtonItems"), +[](Object* s, SEL) { return itemsArray(item(s)->m_leftItems); });
    addMethod(
        c, sel("setLeftBarButtonItems:"), +[](Object* s, SEL, Object* array) {
            item(s)->m_leftItems = itemsFrom(array);
            item(s)->changed();
        });
    addMethod(
        c, sel("largeTitleDisplayMode"), +[](Object* s, SEL) { return item(s)->m_largeTitleDisplayMode; });
    addMethod(
        c, sel("setLargeTitleDisplayMode:"), +[](Object* s, SEL, long mode) {
            item(s)->m_largeTitleDisplayMode = mode >= 0 && mode <= 2 ? mode : 0;
            item(s)->changed();
        });
    addMethod(
        c, sel("hidesSearchBarWhenScrolling"), +[](Object* s, SEL) { return item(s)->m_hidesSearchBarWhenScrolling; });
    addMethod(
        c, sel("setHidesSearchBarWhenScrolling:"),
        +[](Object* s, SEL, bool h) { item(s)->m_hidesSearchBarWhenScrolling = h; });
}

void registerButtonInitializers(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithCustomView:"), +[](Object* s, SEL, Object* v) {
            barButton(s)->m_customView = isView(v) ? v : nullptr;
            return s;
        });
    addMethod(
        c, sel("initWithTitle:style:target:action:"),
        +[](Object* s, SEL, Object* title, long style, Object* target, SEL action) {
            barButton(s)->m_title = title;
            barButton(s)->m_style = style;
            barButton(s)->m_target = target;
            barButton(s)->m_action = action;
            return s;
        });
    addMethod(
        c, sel("initWithImage:style:target:action:"),
        +[](Object* s, SEL, Object* image, long style, Object* target, SEL action) {
            barButton(s)->m_image = image;
            barButton(s)->m_style = style;
            barButton(s)->m_target = target;
            barButton(s)->m_action = action;
            return s;
        });
    addMethod(
        c, sel("initWithBarButtonSystemItem:target:action:"),
        +[](Object* s, SEL, long system, Object* target, SEL action) {
            barButton(s)->m_systemItem = system;
            barButton(s)->m_target = target;
            barButton(s)->m_action = action;
            return s;
        });
    addMethod(
        c, sel("initWithImage:menu:"), +[](Object* s, SEL, Object* image, Object* menu) {
            barButton(s)->m_image = image;
            barButton(s)->m_menu = menu;
            return s;
        });
}

void registerButtonMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("customView"), +[](Object* s, SEL) -> Object* { return barButton(s)->m_customView.get(); });
    addMethod(
        c, sel("setCustomView:"),
        +[](Object* s, SEL, Object* v) { barButton(s)->m_customView = isView(v) ? v : nullptr; });
    addMethod(
        c, sel("title"), +[](Object* s, SEL) -> Object* { return barButton(s)->m_title.get(); });
    addMethod(
        c, sel("setTitle:"), +[](Object* s, SEL, Object* t) { barButton(s)->m_title = t; });
    addMethod(
        c, sel("image"), +[](Object* s, SEL) -> Object* { return barButton(s)->m_image.get(); });
    addMethod(
        c, sel("setImage:"), +[](Object* s, SEL, Object* i) { barButton(s)->m_image = i; });
    addMethod(
        c, sel("menu"), +[](Object* s, SEL) -> Object* { return barButton(s)->m_menu.get(); });
    addMethod(
        c, sel("setMenu:"), +[](Object* s, SEL, Object* m) { barButton(s)->m_menu = m; });
    addMethod(
        c, sel("tintColor"), +[](Object* s, SEL) -> Object* { return barButton(s)->m_tintColor.get(); });
    addMethod(
        c, sel("setTintColor:"), +[](Object* s, SEL, Object* t) { barButton(s)->m_tintColor = t; });
    addMethod(
        c, sel("target"), +[](Object* s, SEL) -> Object* { return autorelease(barButton(s)->m_target.load().leak()); });
    addMethod(
        c, sel("setTarget:"), +[](Object* s, SEL, Object* t) { barButton(s)->m_target = t; });
    addMethod(
        c, sel("action"), +[](Object* s, SEL) { return barButton(s)->m_action; });
    addMethod(
        c, sel("setAction:"), +[](Object* s, SEL, SEL a) { barButton(s)->m_action = a; });
    addMethod(
        c, sel("style"), +[](Object* s, SEL) { return barButton(s)->m_style; });
    addMethod(
        c, sel("setStyle:"), +[](Object* s, SEL, long style) { barButton(s)->m_style = style; });
    addMethod(
        c, sel("isEnabled"), +[](Object* s, SEL) { return barButton(s)->m_enabled; });
    addMethod(
        c, sel("setEnabled:"), +[](Object* s, SEL, bool e) { barButton(s)->m_enabled = e; });
    addMethod(
        c, sel("_sendAction:"), +[](Object* s, SEL, Object*) { barButton(s)->performAction(); });
    addMethod(
        c, sel("width"), +[](Object* s, SEL) { return barButton(s)->m_width; });
    addMethod(
        c, sel("setWidth:"), +[](Object* s, SEL, double w) { barButton(s)->m_width = w; });
}

}

Class* UINavigationItem::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UINavigationItem>("UINavigationItem", rt::rootClass());
        registerItemMethods(c);
        registerBarButtonSlots(c);
        return c;
    }();
    return cls;
}

rt::Ref<UINavigationItem> UINavigationItem::create()
{
    return rt::adopt(static_cast<UINavigationItem*>(classObject()->allocate()));
}

void UINavigationItem::changed()
{
    if (auto bar = m_bar.load())
        rt::send(bar.get(), SELECTOR("_navigationItemDidChange:"), static_cast<Object*>(this));
}

Class* UIBarButtonItem::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIBarButtonItem>("UIBarButtonItem", rt::rootClass());
        registerButtonInitializers(c);
        registerButtonMethods(c);
        return c;
    }();
    return cls;
}

void UIBarButtonItem::performAction()
{
    if (!m_enabled || !m_action)
        return;
    if (auto target = m_target.load())
        sendAction(target.get(), m_action, this);
}
