#include "host/uikit/UINavigationItem.h"

#include "host/foundation/Array.h"
#include "host/foundation/String.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UIBarButtonItem.h"
#include "host/uikit/UIView.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UINavigationItem* item(Object* o)
{
    return static_cast<UINavigationItem*>(o);
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
        for (auto& entry : static_cast<NSArray*>(array)->items())
            if (auto ok = barItem(entry.get()))
                items.push_back(ok);
    return items;
}

}

void UINavigationItem::registerBarButtonSlots(Class* c)
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
    bindProperty<&UINavigationItem::m_hidesSearchBarWhenScrolling>(c, "hidesSearchBarWhenScrolling");
}

Class* UINavigationItem::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UINavigationItem>("UINavigationItem", rt::rootClass());
        registerProperties(c);
        registerBarButtonSlots(c);
        return c;
    }();
    return cls;
}

void UINavigationItem::registerProperties(Class* c)
{
    using namespace rt;
    using Item = UINavigationItem;
    bindPropertyThen<&Item::m_title, &Item::changed>(c, "title");
    bindPropertyThen<&Item::m_titleView, &Item::changed>(c, "titleView");
    bindPropertyThen<&Item::m_backItem, &Item::changed>(c, "backBarButtonItem");
    bindPropertyThen<&Item::m_searchController, &Item::changed>(c, "searchController");
    bindPropertyThen<&Item::m_prompt, &Item::changed>(c, "prompt");
    bindPropertyThen<&Item::m_standardAppearance, &Item::changed>(c, "standardAppearance");
    bindPropertyThen<&Item::m_scrollEdgeAppearance, &Item::changed>(c, "scrollEdgeAppearance");
    addMethod(
        c, sel("initWithTitle:"), +[](Object* s, SEL, Object* title) {
            item(s)->m_title = title;
            return s;
        });
}

rt::Ref<UINavigationItem> UINavigationItem::create()
{
    return rt::adopt(static_cast<UINavigationItem*>(classObject()->allocate()));
}

void UINavigationItem::setBar(UIView* bar)
{
    m_bar = bar;
}

void UINavigationItem::changed()
{
    if (auto bar = m_bar.load())
        rt::send(bar.get(), SELECTOR("_navigationItemDidChange:"), static_cast<Object*>(this));
}
