#pragma once

#include "host/runtime/Runtime.h"

// The Tweaks, Apps and System Apps pages, and the replacements that move the installed apps'
// rows off the root list once Settings has loaded them.

namespace tamarind {

void registerListPages();
void installThirdPartyLoading(rt::Class* rootPage);
void installThirdPartyLoadingWithAppClips(rt::Class* rootPage);

}

// Takes the delivered app rows into thirdPartySpecifiers and, 10 ms later on the main queue,
// removes them from the controller's rows. The dictionary is not used.
void fixThirdPartySpecifiers(rt::Object* controller, rt::Object* rows, rt::Object* dictionary);
