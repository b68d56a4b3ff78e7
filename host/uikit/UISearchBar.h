#pragma once

#include "host/uikit/UIView.h"

class UITextField;

// UISearchBar: a rounded search field (a UISearchTextField over a
// _UISearchBarSearchFieldBackgroundView, with its magnifier and placeholder), as Settings shows
// under its large title.
class UISearchBar : public UIView {
public:
    static rt::Class* classObject();
    static rt::Class* searchFieldClass();
    static rt::Class* fieldBackgroundClass();

    UITextField* searchField();
    void layoutSearchBar();
    // The rounded background inside the field, once the field is made.
    UIView* fieldBackground() const { return m_fieldBackground.get(); }

private:
    static void registerMethods(rt::Class*);

    rt::Ref<UITextField> m_field;
    rt::Ref<UIView> m_fieldBackground;
    rt::Ref<UIView> m_magnifier;
    rt::Weak<rt::Object> m_delegate;
    long m_searchBarStyle { 0 };
};
