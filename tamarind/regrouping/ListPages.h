#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The Tweaks, Apps and System Apps pages, and the replacements that move the installed apps'
// rows off the root list once Settings has loaded them.

namespace tamarind {

using LoadAppsImp = void (*)(rt::Object*, rt::SEL, rt::Object*, rt::BlockBase*);
using LoadAppsWithClipsImp = void (*)(rt::Object*, rt::SEL, rt::Object*, bool, rt::BlockBase*);

void registerListPages();

void loadThirdPartyRows(rt::Object* self, rt::SEL, rt::Object* apps, rt::BlockBase* completion);
void loadThirdPartyRowsWithClips(rt::Object* self, rt::SEL, rt::Object* apps, bool clips, rt::BlockBase* completion);
extern Saved<LoadAppsImp> originalLoadThirdPartyRows;
extern Saved<LoadAppsWithClipsImp> originalLoadThirdPartyRowsWithClips;
}

// Takes the delivered app rows into thirdPartySpecifiers and, 10 ms later on the main queue,
// removes them from the controller's rows. The dictionary is not used.
extern "C" void fixThirdPartySpecifiers(rt::Object* controller, rt::Object* rows, rt::Object* dictionary);
