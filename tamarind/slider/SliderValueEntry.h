#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// Typing a slider's value: with "isManualSliderAdjustment" on when the library loaded, a double
// tap on a slider row (PSSliderTableCell) opens an alert that shows the slider's range and
// current value in a text field; "OK" sets the slider and the row's preference to the number
// typed. Main thread.

namespace tamarind {

using SliderCellInitImp = rt::Object* (*)(rt::Object*, rt::SEL, long, rt::Object*, rt::Object*);

// PSSliderTableCell initWithStyle:reuseIdentifier:specifier: attaches the double-tap recognizer
// to the new cell's content view when the setting is on.
rt::Object* sliderCellInit(rt::Object* self, rt::SEL, long style, rt::Object* reuseIdentifier, rt::Object* specifier);
extern Saved<SliderCellInitImp> originalSliderCellInit;

// PSSliderTableCell tapAction: (added): presents the value alert from the cell's page. The
// sender is ignored.
void sliderCellTapAction(rt::Object* self, rt::SEL, rt::Object* sender);

}
