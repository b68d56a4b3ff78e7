#pragma once

#include "host/uikit/UIView.h"
#include "host/uikit/UIViewController.h"

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

    rt::Ref<UITextField> m_field;
    rt::Ref<UIView> m_fieldBackground;
    rt::Ref<UIView> m_magnifier;
    rt::Weak<rt::Object> m_delegate;
    long m_searchBarStyle { 0 };
};

// UISearchController: owns the search bar that a navigation item shows.
class UISearchController final : public UIViewController {
public:
    static rt::Class* classObject();
    UISearchBar* searchBar();

    rt::Ref<UISearchBar> m_searchBar;
    rt::Ref<rt::Object> m_resultsController;
    rt::Weak<rt::Object> m_updater;
    bool m_active { false };
};
