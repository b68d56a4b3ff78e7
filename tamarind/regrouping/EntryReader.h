#pragma once

#include <string>

#include "host/runtime/Runtime.h"

// Rows for the panes of installed tweaks, read from PreferenceLoader entry files.

namespace tamarind {

constexpr const char* kEntriesDirectory = "/var/jb/Library/PreferenceLoader/Preferences/";

// Reads the entry files in a directory and the directories below it into `rows` (an
// NSMutableDictionary), keyed by label without path extension; a later file with the same key
// replaces the earlier row.
void readEntries(const std::string& directory, rt::Object* rows, rt::Object* target);

// The rows of every entry file, sorted case-insensitively by key (an autoreleased NSArray).
rt::Object* sortedTweakRows(rt::Object* target);

}
