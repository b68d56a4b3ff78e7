#pragma once

#include <vector>

#include "host/runtime/Runtime.h"

// UIAction: a titled menu entry with a handler block (void (^)(UIAction*)).
class UIAction final : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<UIAction> create(rt::Object* title, rt::Object* image, rt::Object* identifier, rt::BlockBase* handler);
    // Runs the handler with the action itself, as choosing the entry does.
    void perform();

    rt::Object* title() const { return m_title.get(); }

private:
    static void registerMethods(rt::Class*);

    rt::Ref<rt::Object> m_title;
    rt::Ref<rt::Object> m_image;
    rt::Ref<rt::Object> m_identifier;
    rt::Ref<rt::Object> m_handler;
    unsigned long m_attributes { 0 };
    long m_state { 0 };
};

// UIMenu: a titled list of actions and submenus.
class UIMenu final : public rt::Object {
public:
    static rt::Class* classObject();
    // A menu of the children that are actions or menus; a missing title is empty.
    static rt::Ref<UIMenu> create(
        rt::Object* title, rt::Object* image, rt::Object* identifier, unsigned long options, rt::Object* children);

    rt::Object* title() const { return m_title.get(); }
    const std::vector<rt::Ref<rt::Object>>& children() const { return m_children; }

private:
    static void registerMethods(rt::Class*);

    rt::Ref<rt::Object> m_title;
    rt::Ref<rt::Object> m_image;
    rt::Ref<rt::Object> m_identifier;
    unsigned long m_options { 0 };
    std::vector<rt::Ref<rt::Object>> m_children;
};
