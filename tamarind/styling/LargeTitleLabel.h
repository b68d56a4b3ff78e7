#pragma once

#include "host/foundation/Geometry.h"
#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The large title's label: centred in its title view ("centerTitle") and drawn in "colorTitle"
// ("isCustomTitleColor"). Every other label is positioned exactly as asked.

namespace tamarind {

using LabelCenterImp = void (*)(rt::Object*, rt::SEL, CGPoint);

void labelSetCenter(rt::Object* label, rt::SEL, CGPoint center);
extern Saved<LabelCenterImp> originalLabelSetCenter;

}
