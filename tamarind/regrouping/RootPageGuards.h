#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The replacements that keep the host from undoing the regrouped root list: it is never
// reloaded, later insertions are filtered, and follow-up rows are refreshed only when wanted.

namespace tamarind {

using ReloadImp = void (*)(rt::Object*, rt::SEL);
using InsertImp = void (*)(rt::Object*, rt::SEL, rt::Object*, long, bool);
using FollowupImp = void (*)(rt::Object*, rt::SEL, rt::BlockBase*);

void rootReloadSpecifiers(rt::Object*, rt::SEL);
void rootInsertSpecifier(rt::Object* self, rt::SEL, rt::Object* row, long index, bool animated);
void rootUpdateFollowups(rt::Object* self, rt::SEL, rt::BlockBase* completion);

extern Saved<ReloadImp> originalRootReload;
extern Saved<InsertImp> originalRootInsert;
extern Saved<FollowupImp> originalRootFollowups;

}
