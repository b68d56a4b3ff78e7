#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Options.h"

// The process-wide settings, read once while the library loads (two passes, two copies of the
// six keys both passes read) and read-only afterwards. Until a pass runs, every setting holds
// its initial value: false, 0, 0.0 or nothing, not its default.

namespace tamarind {

namespace option {
using Bool = bool;
using Integer = long;
using Float = double;
using String = rt::Object*; // retained for the life of the process
using IntValue = int;
}

#define TAM_DECLARE_FIELD(kind, key, fallback) option::kind key {};

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

// The master switch of the root list's regrouping ("isCustomTableCellCustomizabilityEnabled"):
// while it is off, the walk, the insertion filter, the module pages and the app-row moving leave
// the host's rows as they are. Every one of them asks here.
inline bool regroupingEnabled()
{
    return firstPass.isCustomTableCellCustomizabilityEnabled;
}

// The suite name for booleans, integers, floats and strings, and the domain for colours and images.
constexpr const char* kSuiteName = "com.corvane.sorrelpreferences.plist";
constexpr const char* kDomain = "com.corvane.sorrelpreferences";

}
