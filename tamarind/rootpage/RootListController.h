#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The root page's life as a view controller: when its view loads it becomes rootListController,
// gets its floating buttons (top-level page only), its title attributes, its top menu and, when
// asked, a small title; each layout places the buttons; each change of interface style recolours
// them and sets the large title font again.

namespace tamarind {

using ViewDidLoadImp = void (*)(rt::Object*, rt::SEL);
using TraitChangeImp = void (*)(rt::Object*, rt::SEL, rt::Object*);

void rootViewDidLoad(rt::Object* self, rt::SEL);
extern Saved<ViewDidLoadImp> originalRootViewDidLoad;

void rootViewDidLayoutSubviews(rt::Object* self, rt::SEL);
extern Saved<ViewDidLoadImp> originalRootViewDidLayoutSubviews;

void rootTraitCollectionDidChange(rt::Object* self, rt::SEL, rt::Object* previous);
extern Saved<TraitChangeImp> originalRootTraitCollectionDidChange;

}
