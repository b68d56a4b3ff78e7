#pragma once

#include "host/runtime/Runtime.h"

// The regrouped root list: the replacement of the root page's specifiers, and the replacements
// that keep the host from undoing it.

namespace tamarind {

void installRootSpecifiers(rt::Class* rootPage);
void installRootReloadSpecifiers(rt::Class* rootPage);
void installRootInsertSpecifier(rt::Class* rootPage);
void installRootFollowupUpdate(rt::Class* rootPage);

}
