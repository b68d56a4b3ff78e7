#pragma once

#include "host/foundation/Data.h"

// The exported names of the GIF classes, as a client of the library reaches them by name
// (dlsym) or by message: the classes FLAnimatedImage, FLAnimatedImageView and FLWeakProxy are registered with the
// runtime, the test and the constant are plain C symbols.

// True when the data holds at least three bytes and they are "GIF". Nothing else of the header
// is examined; the image model rejects what is not a GIF after all.
extern "C" bool isDataAGIF(NSData* data);

// The shortest frame delay, in seconds, that an animation keeps; playback counts time in steps
// this fine.
extern "C" const double kFLAnimatedImageDelayTimeIntervalMinimum;

namespace tamarind {

// Registers FLAnimatedImage, FLAnimatedImageView and FLWeakProxy. Safe to call more than once.
void registerGifClasses();

}
