#pragma once

#include <string_view>

#include "tamarind/core/Settings.h"
#include "tamarind/regrouping/Modules.h"

// The root list's rules as data: for each row identifier the library knows, what the walk does
// with the row, the module it belongs to, the switch that shows it, whether the host may insert
// it later, and how its module page filters it. The walk, the insertion filter and the module
// pages all read this one table; a row it does not list stays wherever it is.

namespace tamarind {

// What the walk does with a row. Only the first two apply while the regrouping master switch is
// off; every other row is then kept.
enum class WalkRule {
    AccountGroup, // dropped; the banner takes its place
    GameCenter, // kept; the tweak rows follow it once
    Keep,
    KeepIfSwitchOn,
    Account, // kept; the list rows follow it once
    ModuleStart, // with grouping on: the module row, then the run from here moves into the module
    Member, // kept while its module is off and its switch on
    GeneralStart, // a member that is replaced by the General module row
    Passcode,
    Privacy, // a member after which the tweak rows may follow once
    Store, // with grouping on: it and every row after it move into the System Apps module
};

// Whether the host's later insertion of the row goes through.
enum class Insertion {
    Always,
    WhileShown, // only while the row's module is off and its switch on
};

// What the row's module page does with it.
enum class PageFilter {
    Unfiltered,
    BySwitch, // kept while its switch is on
    Never,
    RootWallpaper, // replaced by the root page's own wallpaper row while its switch is on
    WithExposure, // kept by its switch, then followed by the root page's exposure row
};

struct RowRule {
    const char* identifier;
    WalkRule walk;
    Module module;
    bool FirstPassSettings::*memberSwitch; // null when the row has none
    Insertion insertion;
    PageFilter pageFilter;
};

// The rule of a row identifier, or null for a row the rules do not name.
const RowRule* rowRule(std::string_view identifier);

// The row's switch; a row without one is always on.
inline bool switchOn(const RowRule& rule)
{
    return !rule.memberSwitch || firstPass.*rule.memberSwitch;
}

}
