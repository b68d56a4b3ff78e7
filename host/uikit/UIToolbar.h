#pragma once

#include <vector>

#include "host/uikit/UIView.h"

// UIToolbar: a bar of bar button items (a keyboard's accessory bar, for one). Flexible spaces
// share the width the other items leave.
class UIToolbar final : public UIView {
public:
    static rt::Class* classObject();

    // The bar button items, in order.
    const std::vector<rt::Ref<rt::Object>>& items() const { return m_items; }
    void setItems(rt::Object* array);
    long barStyle() const { return m_barStyle; }

    void layoutToolbar();
    CGSize defaultSizeThatFits(CGSize) const override;
    void drawContent(Canvas&, long style) const override;

private:
    static void registerMethods(rt::Class*);

    std::vector<rt::Ref<rt::Object>> m_items;
    std::vector<rt::Ref<UIView>> m_itemViews;
    long m_barStyle { 0 };
};
