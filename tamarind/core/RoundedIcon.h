#pragma once

#include "host/runtime/Runtime.h"

namespace tamarind {

// The image drawn into a row icon's 29 by 29 point square, clipped to the rounded corners of a
// radius of 6 points that Settings gives its own icons. Nothing to draw leaves the square
// transparent. Autoreleased.
rt::Object* roundedIcon(rt::Object* image);

}
