#pragma once

#include <vector>

#include "host/runtime/Runtime.h"

// UIAction: a titled menu entry with a handler block (void (^)(UIAction*)).
class UIAction final : public rt::Object {
public:
    static rt::Class* classObject();
    // Runs the handler with the action itself, as choosing the entry does.
    void perform();

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

    rt::Ref<rt::Object> m_title;
    rt::Ref<rt::Object> m_image;
    rt::Ref<rt::Object> m_identifier;
    unsigned long m_options { 0 };
    std::vector<rt::Ref<rt::Object>> m_children;
};
