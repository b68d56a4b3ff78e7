#pragma once

#include "host/foundation/String.h"
#include "host/runtime/Runtime.h"

// What the library's own pages (the module pages and the list pages, each a subclass of
// PSListController) have in common: their rows load as their view loads, their title is fixed,
// and most of them show one of the process-wide module arrays itself.

namespace tamarind {

using PageImp = rt::Object* (*)(rt::Object*, rt::SEL);

struct OwnPage {
    const char* name;
    PageImp specifiers;
    PageImp title;
    // Adds the page's further methods and instance variables before the class is registered.
    void (*extend)(rt::ClassBuilder&) = nullptr;
};

// Registers the page class under PSListController; null when the host lacks PSListController.
rt::Class* registerOwnPage(const OwnPage&);

// The declared object instance variable `_table` that some pages carry and nothing reads.
void declareUnusedTable(rt::ClassBuilder&);

template <const char* Title> rt::Object* fixedTitle(rt::Object*, rt::SEL)
{
    return ns(Title);
}

enum class RowIcons { AsTheyAre, FromIconCache };

// A page's rows as the module array itself (the same mutable array, retained, not a copy), set
// the first time they are asked for; with FromIconCache every row then gets its icon from the
// shared icon cache.
rt::Object* showModuleArray(rt::Object* page, rt::Object* array, RowIcons);

}
