#pragma once

#include <string>

#include <pango/pango.h>

#include "host/render/TextStyle.h"

// Text set with pango on one shared context, so that measuring (UILabel sizing) and drawing use
// the same metrics. Hinting of metrics is off: widths do not depend on the scale drawn at.
// Main thread only, like the rest of UIKit.

// A layout of the text for the style, `width` points wide (unbounded when 0 or less). The
// caller owns the layout (g_object_unref).
PangoLayout* createTextLayout(const std::string&, const TextStyle&, double width);
