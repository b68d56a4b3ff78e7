#pragma once

#include "host/foundation/Geometry.h"
#include "host/render/Canvas.h"

class UIColor;

// What the switch and the slider draw alike.

// The colour as it appears under `style`, or the named system colour when there is none.
RGBAColor resolvedOrSystemColor(const UIColor*, const char* fallbackName, long style);

// A thumb of `color` with the soft shadow UIKit gives it.
void drawControlThumb(Canvas&, CGRect, RGBAColor color);
