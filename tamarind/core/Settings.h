#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Options.h"

// The process-wide settings, read once while the library loads (two passes, two copies of the
// six keys both passes read) and read-only afterwards. Until a pass runs, every setting holds
// its initial value: false, 0, 0.0 or nothing, not its default.

namespace tamarind {

// The C++ type each kind of option is held in. A String option's object is retained for the life
// of the process.
template <OptionKind> struct OptionStorage;
template <> struct OptionStorage<OptionKind::Bool> {
    using Type = bool;
};
template <> struct OptionStorage<OptionKind::Integer> {
    using Type = long;
};
template <> struct OptionStorage<OptionKind::Float> {
    using Type = double;
};
template <> struct OptionStorage<OptionKind::String> {
    using Type = rt::Object*;
};
template <> struct OptionStorage<OptionKind::IntValue> {
    using Type = int;
};

template <Option option> using OptionValue = typename OptionStorage<optionInfo(option).kind>::Type;

#define TAM_DECLARE_FIELD(key) OptionValue<Option::key> key {};

struct FirstPassSettings {
    TAM_FIRST_PASS_OPTIONS(TAM_DECLARE_FIELD)
};

struct SecondPassSettings {
    TAM_SECOND_PASS_OPTIONS(TAM_DECLARE_FIELD)
};

#undef TAM_DECLARE_FIELD

// Written only by the reading passes, on the loading thread.
extern FirstPassSettings firstPass;
extern SecondPassSettings secondPass;

void readFirstPass(rt::Object* suite);
void readSecondPass(rt::Object* suite);

}
