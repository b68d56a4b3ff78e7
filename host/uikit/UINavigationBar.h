#pragma once

#include <vector>

#include "host/uikit/UIKitConstants.h"
#include "host/uikit/UIView.h"

class UIButton;
class UILabel;
class UINavigationItem;
class UINavigationBar;
class UINavigationBarLargeTitleView;

// UINavigationBarAppearance: background colour and title attributes of a bar in one state.
class UINavigationBarAppearance final : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<UINavigationBarAppearance> create();

    // Null: the default chrome (or none when transparent).
    rt::Object* backgroundColor() const { return m_backgroundColor.get(); }
    rt::Object* titleTextAttributes() const { return m_titleTextAttributes.get(); }
    rt::Object* largeTitleTextAttributes() const { return m_largeTitleTextAttributes.get(); }
    rt::Object* shadowColor() const { return m_shadowColor.get(); }
    bool isTransparent() const { return m_transparent; }
    // Stores the bar's title attributes, which the bar sets through its standard appearance
    // and then shows itself.
    void storeTitleTextAttributes(rt::Ref<rt::Object> attributes, bool large);

    // The bar this is an appearance of, told of every change so that it shows it, as UIKit's
    // bars follow changes made to their appearance objects. Cleared when the bar goes.
    UINavigationBar* owner() const { return m_owner; }
    void setOwner(UINavigationBar* owner) { m_owner = owner; }
    void changed();

private:
    static void registerMethods(rt::Class*);

    rt::Ref<rt::Object> m_backgroundColor;
    rt::Ref<rt::Object> m_titleTextAttributes;
    rt::Ref<rt::Object> m_largeTitleTextAttributes;
    rt::Ref<rt::Object> m_shadowColor;
    bool m_transparent { false };
    UINavigationBar* m_owner { nullptr };
};

// UINavigationBar: the bar at the top of a navigation controller. It shows the top item's title
// (small, or large below the bar in a _UINavigationBarLargeTitleView), the back button, the
// items' buttons and the top item's search bar. Its look follows its appearances: the scroll
// edge one (transparent unless set) while the page is scrolled to its top, the standard one
// otherwise.
class UINavigationBar : public UIView {
public:
    static rt::Class* classObject();

    UINavigationBar();
    ~UINavigationBar() override;

    void setItems(std::vector<rt::Ref<UINavigationItem>>);
    UINavigationItem* topItem() const { return m_items.empty() ? nullptr : m_items.back().get(); }
    UINavigationItem* backItem() const { return m_items.size() < 2 ? nullptr : m_items[m_items.size() - 2].get(); }

    // Whether the top item shows a large title, and the bar's height for it.
    bool showsLargeTitle() const;
    UIView* searchBar() const;
    double preferredHeight() const;
    void setAtScrollEdge(bool);
    bool isAtScrollEdge() const { return m_atScrollEdge; }
    // The appearance in force now.
    UINavigationBarAppearance* currentAppearance() const;

    // Rebuilds the title, buttons and large title from the top item.
    void refreshContent();
    void layoutBar();
    void drawContent(Canvas&, long style) const override;

    bool prefersLargeTitles() const { return m_prefersLargeTitles; }
    // Stores only; the message of the same name also refreshes the bar.
    void setPrefersLargeTitles(bool prefers) { m_prefersLargeTitles = prefers; }
    UINavigationBarAppearance* standardAppearance() const { return m_standardAppearance.get(); }
    UINavigationBarAppearance* scrollEdgeAppearance() const { return m_scrollEdgeAppearance.get(); }
    long barStyle() const { return m_barStyle; }
    UILabel* titleLabel() const { return m_titleLabel.get(); }
    UINavigationBarLargeTitleView* largeTitleView() const { return m_largeTitleView.get(); }

private:
    static void registerMethods(rt::Class*);
    static void registerLookMethods(rt::Class*);
    void refreshTitles();
    void refreshItems();
    void refreshBackButton();
    void refreshSearchBar();
    rt::Ref<UIView> viewForItem(rt::Object* item);

    std::vector<rt::Ref<UINavigationItem>> m_items;
    bool m_prefersLargeTitles { false };
    rt::Ref<UINavigationBarAppearance> m_standardAppearance;
    rt::Ref<UINavigationBarAppearance> m_scrollEdgeAppearance;
    rt::Ref<UINavigationBarAppearance> m_compactAppearance;
    rt::Ref<rt::Object> m_barTintColor;
    long m_barStyle { 0 };
    bool m_translucent { true };
    rt::Ref<UILabel> m_titleLabel;
    rt::Ref<UIButton> m_backButton;
    rt::Ref<UINavigationBarLargeTitleView> m_largeTitleView;
    std::vector<rt::Ref<UIView>> m_itemViews;
    rt::Ref<UIView> m_shownSearchBar;
    bool m_atScrollEdge { true };
};

// _UINavigationBarLargeTitleView: the large title under the bar. Its layout object places the
// title label; both are reached by message so the library's replacements take effect.
class UINavigationBarLargeTitleView : public UIView {
public:
    static rt::Class* classObject();
    static rt::Class* layoutClass();

    ~UINavigationBarLargeTitleView() override;
    void configure(const std::string& title, rt::Object* attributes);

    // The label the view made for its title, shown while its layout holds it.
    UILabel* label() const { return m_label.get(); }

private:
    static void registerMethods(rt::Class*);

    rt::Ref<UILabel> m_label;
    rt::Ref<rt::Object> m_layout;
};

// _UINavigationBarLargeTitleViewLayout: places the large title view's label.
class UINavigationBarLargeTitleViewLayout final : public rt::Object {
public:
    static rt::Class* classObject();

    // The large title view that owns the layout, or null once it is gone.
    UIView* contentView() const { return m_contentView; }
    // Stores only: the owning view sets itself when it makes the layout and clears itself as it goes.
    void setContentView(UIView* view) { m_contentView = view; }
    UILabel* titleLabel() const { return m_titleLabel.get(); }

private:
    static void registerMethods(rt::Class*);

    UIView* m_contentView { nullptr };
    rt::Ref<UILabel> m_titleLabel;
};
