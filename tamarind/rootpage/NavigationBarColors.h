#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The colours of every navigation bar in Settings: the title text and, for light and dark, the
// background of the bar's standard appearance. They are read from the picker each time the bar's
// traits change or its prompt is refreshed, so a colour picked in the pane shows at the next of
// those without restarting Settings.

namespace tamarind {

using BarTraitChangeImp = void (*)(rt::Object*, rt::SEL, rt::Object*);
using BarUpdateImp = void (*)(rt::Object*, rt::SEL);

void navigationBarTraitCollectionDidChange(rt::Object* self, rt::SEL, rt::Object* previous);
extern Saved<BarTraitChangeImp> originalNavigationBarTraitCollectionDidChange;

void navigationBarUpdatePrompt(rt::Object* self, rt::SEL);
extern Saved<BarUpdateImp> originalNavigationBarUpdatePrompt;

// Added to UINavigationBar as updateColors.
void navigationBarUpdateColors(rt::Object* self, rt::SEL);

}
