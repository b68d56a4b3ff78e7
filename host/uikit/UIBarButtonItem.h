#pragma once

#include "host/runtime/Runtime.h"

class UIView;

// UIBarButtonItem: a button in a navigation bar or toolbar: a custom view, a title or image with
// a target and action, or a system item (flexible space and the like).
class UIBarButtonItem final : public rt::Object {
public:
    static rt::Class* classObject();

    // The system item that stretches to fill a toolbar's free width.
    static constexpr long kFlexibleSpace = 5;

    UIView* customView() const { return m_customView.get(); }
    rt::Object* title() const { return m_title.get(); }
    rt::Object* image() const { return m_image.get(); }
    rt::Object* tintColor() const { return m_tintColor.get(); }
    long style() const { return m_style; }
    long systemItem() const { return m_systemItem; }

    // The button a bar made for a title or image item, kept so the bar reuses it.
    UIView* barView() const { return m_barView.get(); }
    void setBarView(UIView*);

    // What a tap on the item does: sends the action to the target with the item as sender.
    void performAction();

private:
    // What the initialisers that take a target store: the message the item sends when tapped.
    void setTargetAction(rt::Object* target, rt::SEL action)
    {
        m_target = target;
        m_action = action;
    }

    static void registerInitializers(rt::Class*);
    static void registerProperties(rt::Class*);

    rt::Ref<UIView> m_customView;
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
    rt::Ref<UIView> m_barView;
};
