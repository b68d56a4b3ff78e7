#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The search bars of Settings (PSKeyboardNavigationSearchBar): hidden for good when the user
// wants no search, otherwise shown whenever they enter a window or the keyboard comes up. And
// the rounded field behind the text of every search field (_UISearchBarSearchFieldBackgroundView):
// its corner radius, its colour, or no background at all.

namespace tamarind {

using SearchBarImp = void (*)(rt::Object*, rt::SEL);

void searchBarDidMoveToWindow(rt::Object* self, rt::SEL);
extern Saved<SearchBarImp> originalSearchBarDidMoveToWindow;

// Added to the search bar: the keyboard came up.
void searchBarKeyboardDidShow(rt::Object* self, rt::SEL, rt::Object* notification);

void searchFieldBackgroundLayoutSubviews(rt::Object* self, rt::SEL);
extern Saved<SearchBarImp> originalSearchFieldBackgroundLayoutSubviews;

}
