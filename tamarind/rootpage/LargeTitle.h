#pragma once

#include "host/foundation/Geometry.h"
#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// Large titles on every page of Settings: centred horizontally when "centerTitle" is on, and
// collapsed to nothing when the user asked for small titles ("isSmallTitle"): no label, no height.

namespace tamarind {

using LayoutImp = void (*)(rt::Object*, rt::SEL);
using TextHeightImp = double (*)(rt::Object*, rt::SEL, CGSize, long);
using SetLabelImp = void (*)(rt::Object*, rt::SEL, rt::Object*);

// _UINavigationBarLargeTitleViewLayout
void largeTitleLayoutViews(rt::Object* self, rt::SEL);
extern Saved<LayoutImp> originalLargeTitleLayoutViews;
double largeTitleTextHeight(rt::Object* self, rt::SEL, CGSize size, long titleType);
extern Saved<TextHeightImp> originalLargeTitleTextHeight;
void largeTitleSetTitleLabel(rt::Object* self, rt::SEL, rt::Object* label);
extern Saved<SetLabelImp> originalLargeTitleSetTitleLabel;

// _UINavigationBarLargeTitleView
void largeTitleViewLayoutSubviews(rt::Object* self, rt::SEL);
extern Saved<LayoutImp> originalLargeTitleViewLayoutSubviews;

}
