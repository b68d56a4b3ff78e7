#pragma once

#include "host/runtime/Object.h"

// UIKit's C-level image encoding (UIImagePNGRepresentation, UIImageJPEGRepresentation): the PNG or
// JPEG bytes of an image as an NSData, or nil for nil, an object that is not an image or an image
// without a bitmap. It is image I/O work: the image is asked for its bitmap by message and the
// bitmap is encoded here, so code outside the host may call these functions directly.
rt::Object* UIImagePNGRepresentation(rt::Object* image);
rt::Object* UIImageJPEGRepresentation(rt::Object* image, double quality);
