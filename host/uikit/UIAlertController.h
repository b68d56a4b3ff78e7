#pragma once

#include <string>
#include <vector>

#include "host/uikit/UIViewController.h"

class UITextField;

// UIAlertAction: a button of an alert, with a style (0 default, 1 cancel, 2 destructive) and a
// handler block (void (^)(UIAlertAction*)).
class UIAlertAction final : public rt::Object {
public:
    static rt::Class* classObject();

    rt::Object* title() const { return m_title.get(); }
    long style() const { return m_style; }
    bool isEnabled() const { return m_enabled; }
    rt::Object* handler() const { return m_handler.get(); }

private:
    static void registerMethods(rt::Class*);

    rt::Ref<rt::Object> m_title;
    long m_style { 0 };
    rt::Ref<rt::Object> m_handler;
    bool m_enabled { true };
};

// UIAlertController: an alert or action sheet presented over the page: a title, a message, text
// fields and buttons. Choosing a button dismisses the alert and then runs the button's handler,
// as UIKit does.
class UIAlertController final : public UIViewController {
public:
    static rt::Class* classObject();

    // What a tap on the button of that title does. Returns false when there is no enabled
    // button of that title.
    bool chooseAction(const std::string& title);
    void buildView();

    rt::Object* alertTitle() const { return m_alertTitle.get(); }
    rt::Object* message() const { return m_message.get(); }
    long preferredStyle() const { return m_preferredStyle; }
    const std::vector<rt::Ref<UIAlertAction>>& actions() const { return m_actions; }
    const std::vector<rt::Ref<UITextField>>& textFields() const { return m_textFields; }

private:
    static void registerMethods(rt::Class*);

    rt::Ref<rt::Object> m_alertTitle;
    rt::Ref<rt::Object> m_message;
    long m_preferredStyle { 1 };
    std::vector<rt::Ref<UIAlertAction>> m_actions;
    std::vector<rt::Ref<UITextField>> m_textFields;
    rt::Ref<UIAlertAction> m_preferredAction;
};
