#pragma once

#include "host/uikit/UIViewController.h"

class UISearchBar;

// UISearchController: owns the search bar that a navigation item shows.
class UISearchController final : public UIViewController {
public:
    static rt::Class* classObject();

    // The controller's search bar, made on first use.
    UISearchBar* searchBar();
    // Gives the controller a search bar of the app's own class before anyone asked for one.
    void setSearchBar(UISearchBar*);

private:
    static void registerMethods(rt::Class*);

    rt::Ref<UISearchBar> m_searchBar;
    rt::Ref<rt::Object> m_resultsController;
    rt::Weak<rt::Object> m_updater;
    bool m_active { false };
};
