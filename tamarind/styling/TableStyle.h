#pragma once

#include "host/foundation/Geometry.h"
#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The shape of tables inside preference pages: the inset grouped style, side insets from
// "tableViewCellInset", and no footer space between the sections of the General and
// Notifications module pages.

namespace tamarind {

using TableInitImp = rt::Object* (*)(rt::Object*, rt::SEL, CGRect, long);
using SectionInsetImp = UIEdgeInsets (*)(rt::Object*, rt::SEL);
using SetSectionInsetImp = void (*)(rt::Object*, rt::SEL, UIEdgeInsets);
using FooterHeightImp = double (*)(rt::Object*, rt::SEL, rt::Object*, long);

rt::Object* tableInitWithFrameStyle(rt::Object* table, rt::SEL, CGRect frame, long style);
UIEdgeInsets tableSectionContentInset(rt::Object* table, rt::SEL);
void tableSetSectionContentInset(rt::Object* table, rt::SEL, UIEdgeInsets insets);
double listPageFooterHeight(rt::Object* page, rt::SEL, rt::Object* table, long section);

extern Saved<TableInitImp> originalTableInitWithFrameStyle;
extern Saved<SectionInsetImp> originalTableSectionContentInset;
extern Saved<SetSectionInsetImp> originalTableSetSectionContentInset;
extern Saved<FooterHeightImp> originalListPageFooterHeight;

}
