#pragma once

#include <string>
#include <string_view>

#include "host/runtime/Runtime.h"

// Small operations on host rows (PSSpecifier) and pages, all by message or by the runtime.

namespace tamarind {

std::string identifierOf(rt::Object* row);
// The identifier's text, valid while the row keeps its identifier.
std::string_view identifierView(rt::Object* row);
// Whether the row's "cell" property is the string "PSGroupCell".
bool isGroupRow(rt::Object* row);
rt::Object* emptyGroupRow();
// The shared icon cache's image for a key (nothing for a nil key).
rt::Object* iconCacheImage(rt::Object* key);
rt::Object* iconCacheImage(const char* key);
// Gives every row of the array the icon cache's image for its "iconCache" property as its
// "iconImage".
void setIconsFromCache(rt::Object* rows);

// Page instance variables read and written by name.
rt::Object* pageIvar(rt::Object* page, const char* name);
void setPageIvar(rt::Object* page, const char* name, rt::Object* value);
// Sets _specifiers to the list and _specifiersByID to a new dictionary from identifier to row
// (rows without identifier skipped; a later row wins).
void installSpecifiers(rt::Object* page, rt::Object* list);

rt::Object* newMutableArray();
void append(rt::Object* array, rt::Object* row);
unsigned long countOf(rt::Object* array);
rt::Object* objectAt(rt::Object* array, unsigned long i);

}
