#pragma once

#include <vector>

#include "host/runtime/Runtime.h"

class UIView;

enum UINavigationItemLargeTitleDisplayMode : long {
    UINavigationItemLargeTitleDisplayModeAutomatic = 0,
    UINavigationItemLargeTitleDisplayModeAlways = 1,
    UINavigationItemLargeTitleDisplayModeNever = 2,
};

// UINavigationItem: what a page shows in the navigation bar: its title, bar button items, large
// title mode and search controller. The bar showing the item is told when it changes.
class UINavigationItem final : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<UINavigationItem> create();

    // Tells the bar showing the item that the item changed.
    void changed();

    rt::Object* title() const { return m_title.get(); }
    // Gives a new item its page's title, before any bar shows it.
    void setInitialTitle(rt::Object* title) { m_title = title; }
    // UIBarButtonItems, the first rightmost.
    const std::vector<rt::Ref<rt::Object>>& rightItems() const { return m_rightItems; }
    long largeTitleDisplayMode() const { return m_largeTitleDisplayMode; }
    rt::Object* searchController() const { return m_searchController.get(); }
    // The bar that shows the item, told of its changes.
    void setBar(UIView*);

private:
    static void registerProperties(rt::Class*);
    static void registerBarButtonSlots(rt::Class*);

    rt::Ref<rt::Object> m_title;
    rt::Ref<rt::Object> m_titleView;
    std::vector<rt::Ref<rt::Object>> m_rightItems;
    std::vector<rt::Ref<rt::Object>> m_leftItems;
    rt::Ref<rt::Object> m_backItem;
    long m_largeTitleDisplayMode { UINavigationItemLargeTitleDisplayModeAutomatic };
    rt::Ref<rt::Object> m_searchController;
    bool m_hidesSearchBarWhenScrolling { true };
    rt::Ref<rt::Object> m_prompt;
    rt::Ref<rt::Object> m_standardAppearance;
    rt::Ref<rt::Object> m_scrollEdgeAppearance;
    rt::Weak<UIView> m_bar;
};
