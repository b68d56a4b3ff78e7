#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/runtime/Runtime.h"

// Checks options the user names against the library's option table, so that a typo or a value
// of the wrong kind is reported instead of silently changing nothing.

// The value a --set KEY=VALUE stores, of the option's kind; nothing with one line in `error`
// when the key is unknown or the text does not fit the option's kind.
rt::Ref<rt::Object> valueForSetting(const std::string& key, const std::string& text, std::string& error);

// One warning line for each key of a preferences dictionary that is unknown or holds a value
// that does not fit its option's kind. Files may hold keys of other versions, so these are no
// errors.
std::vector<std::string> preferenceWarnings(rt::Object* dictionary);

// Up to three known keys closest to a mistyped one, nearest first; `likely` when they are near
// enough (a typo, a change of case, a fragment of the key) to be offered as what was meant.
struct ClosestKeys {
    std::vector<std::string> keys;
    bool likely { false };
};
ClosestKeys closestKeys(const std::string& key);
