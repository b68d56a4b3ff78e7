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

    void changed();

    rt::Ref<rt::Object> m_title;
    rt::Ref<rt::Object> m_titleView;
    std::vector<rt::Ref<rt::Object>> m_rightItems; // UIBarButtonItems, the first rightmost
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

// UIBarButtonItem: a button in a navigation bar or toolbar: a custom view, a title or image with
// a target and action, or a system item (flexible space and the like).
class UIBarButtonItem final : public rt::Object {
public:
    static rt::Class* classObject();

    rt::Ref<rt::Object> m_customView;
    rt::Ref<rt::Object> m_title;
    rt::Ref<rt::Object> m_image;
    rt::Ref<rt::Object> m_menu;
    rt::Ref<rt::Object> m_tintColor;
    rt::Weak<rt::Object> m_target;
    rt::SEL m_action { nullptr };
    long m_style { 0 };
    long m_systemItem { -1 };
    bool m_enabled { true };
    double m_width { 0 };
    // The button the bar made for a title or image item, kept so the bar reuses it.
    rt::Ref<rt::Object> m_barView;

    // What a tap on the item does: sends the action to the target with the item as sender.
    void performAction();
};
