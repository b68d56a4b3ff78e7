#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The value label of segmented sliders on two pages of the preference pane (offsets and table
// cells): whole numbers lose their ".0" and the label takes the secondary label colour. The
// added _csp_sliderLabelFix sizes the label to its text and right-aligns it on the slider.

namespace tamarind {

using SliderImp = void (*)(rt::Object*, rt::SEL);

void sliderLayoutSubviews(rt::Object* slider, rt::SEL);
void sliderLabelFix(rt::Object* slider, rt::SEL);
extern Saved<SliderImp> originalSliderLayoutSubviews;

}
