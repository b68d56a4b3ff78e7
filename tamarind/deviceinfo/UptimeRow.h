#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The About page's uptime row: a row titled "Uptime" under the serial number whose value is the
// time since the device booted, refreshed once a second by a timer on the main run loop while the
// page is on screen. Everything here runs on the main thread.

namespace tamarind {

using AppearanceImp = void (*)(rt::Object*, rt::SEL, bool);
using ReloadImp = void (*)(rt::Object*, rt::SEL);
using CellForRowImp = rt::Object* (*)(rt::Object*, rt::SEL, rt::Object*, rt::Object*);

void aboutViewWillAppear(rt::Object* self, rt::SEL, bool animated);
void aboutViewDidAppear(rt::Object* self, rt::SEL, bool animated);
void aboutReloadSpecifiers(rt::Object* self, rt::SEL);
void aboutViewWillDisappear(rt::Object* self, rt::SEL, bool animated);
rt::Object* aboutCellForRow(rt::Object* self, rt::SEL, rt::Object* table, rt::Object* indexPath);
// The timer's action, added to the About page.
void setUptimeText(rt::Object* self, rt::SEL);

extern Saved<AppearanceImp> originalAboutViewWillAppear;
extern Saved<AppearanceImp> originalAboutViewDidAppear;
extern Saved<ReloadImp> originalAboutReloadSpecifiers;
extern Saved<AppearanceImp> originalAboutViewWillDisappear;
extern Saved<CellForRowImp> originalAboutCellForRow;

}
