#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The background of tables inside preference pages: the user's picture for the appearance under
// a blur layer whose opacity is "backgroundImageBlurValue", or a plain colour. The picture and
// colour are read at every use, so a change in the pane shows at the next window move or
// appearance change.

namespace tamarind {

using TableImp = void (*)(rt::Object*, rt::SEL);
using TableTraitsImp = void (*)(rt::Object*, rt::SEL, rt::Object*);

void tableDidMoveToWindow(rt::Object* table, rt::SEL);
void tableTraitCollectionDidChange(rt::Object* table, rt::SEL, rt::Object* previous);

extern Saved<TableImp> originalTableDidMoveToWindow;
extern Saved<TableTraitsImp> originalTableTraitCollectionDidChange;

}
