#pragma once

#include "host/preferences/PSTableCell.h"

// The account row's cell (PSUIAppleAccountCell): the account's picture with its name above a
// subtitle. From iOS 16 on, Settings shows the two texts through a list content configuration:
// the cell's content view (its subview at index 1) is a UIListContentView whose configuration
// (UIListContentConfiguration: text, secondaryText) the title and subtitle labels show.
class PSUIAppleAccountCell final : public PSTableCell {
public:
    static rt::Class* classObject();
    rt::Class* contentViewClassForCell() const override;
};

// UIListContentConfiguration: the texts a list content view shows.
class UIListContentConfiguration final : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<UIListContentConfiguration> create(rt::Object* text, rt::Object* secondaryText);

    rt::Object* text() const { return m_text.get(); }
    rt::Object* secondaryText() const { return m_secondaryText.get(); }

private:
    rt::Ref<rt::Object> m_text;
    rt::Ref<rt::Object> m_secondaryText;
};
