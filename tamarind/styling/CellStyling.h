#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The replacements that style every preference cell (PSTableCell) on every page: background
// colours for light and dark appearance, border, corner rounding, circular icons, the accessory
// and selection rules; and the border for cells of other classes (UITableViewCell). Each calls
// the host implementation it displaced first, except the selection pair, which decides the flags
// the host receives.

namespace tamarind {

using CellImp = void (*)(rt::Object*, rt::SEL);
using CellObjectImp = void (*)(rt::Object*, rt::SEL, rt::Object*);
using CellFlagsImp = void (*)(rt::Object*, rt::SEL, bool, bool);

void cellDidMoveToWindow(rt::Object* cell, rt::SEL);
void cellDidMoveToSuperview(rt::Object* cell, rt::SEL);
void cellRefreshContents(rt::Object* cell, rt::SEL, rt::Object* specifier);
void cellLayoutSubviews(rt::Object* cell, rt::SEL);
void cellTraitCollectionDidChange(rt::Object* cell, rt::SEL, rt::Object* previous);
void cellSetSelected(rt::Object* cell, rt::SEL, bool selected, bool animated);
void cellSetHighlighted(rt::Object* cell, rt::SEL, bool highlighted, bool animated);
void anyCellDidMoveToSuperview(rt::Object* cell, rt::SEL);

extern Saved<CellImp> originalCellDidMoveToWindow;
extern Saved<CellImp> originalCellDidMoveToSuperview;
extern Saved<CellObjectImp> originalCellRefreshContents;
extern Saved<CellImp> originalCellLayoutSubviews;
extern Saved<CellObjectImp> originalCellTraitCollectionDidChange;
extern Saved<CellFlagsImp> originalCellSetSelected;
extern Saved<CellFlagsImp> originalCellSetHighlighted;
extern Saved<CellImp> originalAnyCellDidMoveToSuperview;

}
