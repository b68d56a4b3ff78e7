#pragma once

#include "host/runtime/Object.h"

// UIKit's C-level image encoding, the part of UIKit that code outside the host may call directly:
// the PNG bytes of an image as NSData, or nothing for an image without a bitmap.
rt::Object* UIImagePNGRepresentation(rt::Object* image);
