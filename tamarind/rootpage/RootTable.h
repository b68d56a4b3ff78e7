#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The root page as its table's delegate: the inset while the list is pulled down past the bars,
// row heights, the banner cell in place of the host's, and the profile follow-up row that opens
// its own sheet.

namespace tamarind {

using ScrollImp = void (*)(rt::Object*, rt::SEL, rt::Object*);
using RowHeightImp = double (*)(rt::Object*, rt::SEL, rt::Object*, rt::Object*);
using CellForRowImp = rt::Object* (*)(rt::Object*, rt::SEL, rt::Object*, rt::Object*);
using SelectRowImp = void (*)(rt::Object*, rt::SEL, rt::Object*, rt::Object*);

void rootScrollViewDidScroll(rt::Object* self, rt::SEL, rt::Object* scrollView);
extern Saved<ScrollImp> originalRootScrollViewDidScroll;

double rootHeightForRow(rt::Object* self, rt::SEL, rt::Object* table, rt::Object* indexPath);
extern Saved<RowHeightImp> originalRootHeightForRow;

rt::Object* rootCellForRow(rt::Object* self, rt::SEL, rt::Object* table, rt::Object* indexPath);
extern Saved<CellForRowImp> originalRootCellForRow;

void rootDidSelectRow(rt::Object* self, rt::SEL, rt::Object* table, rt::Object* indexPath);
extern Saved<SelectRowImp> originalRootDidSelectRow;

}
