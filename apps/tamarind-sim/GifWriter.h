#pragma once

#include <string>
#include <vector>

#include "host/runtime/Object.h"

class CGImage;

// Writes an animated GIF of premultiplied RGBA images (all of one size), each with its own
// colour table chosen by giflib's quantizer and shown for its delay, looping for ever. Returns
// false with one line in `error` when the file cannot be written.
struct GifWriterFrame {
    rt::Ref<CGImage> image;
    double seconds;
};
bool writeAnimatedGif(const std::string& path, const std::vector<GifWriterFrame>& frames, std::string& error);
