#pragma once

#include "host/preferences/PSTableCell.h"

// Preferences.framework's slider row (cell type PSSliderCell): a PSSegmentableSlider across the
// cell, its range from the row's "min" and "max" properties (0 and 1 when absent) and its value
// from the row's getter or "value" property, with a value label when the row's "showValue" is
// true. Moving the slider sends the cell controlChanged:, which passes the cell's controlValue to
// the row's setter.
class PSSliderTableCell final : public PSTableCell {
public:
    static rt::Class* classObject();
    // PSSegmentableSlider, the slider class of slider rows (a UISlider).
    static rt::Class* sliderClass();
};
