#pragma once

#include "host/runtime/Runtime.h"

// The navigation bar's title text attributes as the root page sets them.

namespace tamarind {

// The navigation bar of the page's navigation controller, or nothing.
rt::Object* navigationBarOf(rt::Object* page);

// A new dictionary holding the one entry, or no entry when the value is nothing. Autoreleased.
rt::Object* attributesWith(const char* key, rt::Object* value);

// Sets the bar's large title attributes to the regular-weight system font of 34 points alone.
void setRegularLargeTitle(rt::Object* bar);

}
