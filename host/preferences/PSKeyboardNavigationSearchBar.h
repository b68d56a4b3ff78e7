#pragma once

#include "host/runtime/Runtime.h"

// Settings' search bar (PSKeyboardNavigationSearchBar, a UISearchBar that moves the keyboard
// focus through the results) and the root page's Spotlight search controller that owns one.
rt::Class* keyboardNavigationSearchBarClass();

// A new search controller whose bar is a PSKeyboardNavigationSearchBar.
rt::Ref<rt::Object> makeSpotlightSearchController();
