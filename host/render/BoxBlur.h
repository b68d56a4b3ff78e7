#pragma once

#include <cstdint>

// Blurs a block of 32-bit premultiplied pixels in place with three passes of a box filter in
// each direction, which comes close to a Gaussian of the same radius. Every channel is filtered
// alike, which is right for premultiplied pixels. Edges repeat their last pixel.
void boxBlur(std::uint32_t* pixels, int width, int height, int strideInPixels, int radius);
