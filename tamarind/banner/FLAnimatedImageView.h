#pragma once

#include "host/runtime/Runtime.h"

// FLAnimatedImageView: an image view (a runtime subclass of the host's UIImageView) that plays an
// FLAnimatedImage. A display link on the main run loop, asked for no more refreshes than the
// frame delays need, adds the time until each next frame to an accumulator; the view moves on by
// as many frames as the accumulator covers, waits while the next frame is still being decoded,
// counts loops down to the image's loop count, and starts or stops by itself as it enters or
// leaves the screen. Given a still image, it is an ordinary image view.
//
// Everything here runs on the main thread.

namespace tamarind {

// Registers the class; null when the host has no UIImageView. Safe to call more than once.
rt::Class* registerAnimatedImageView();

// The view's state lives in instance variables named after its properties; these reach them.
struct AnimatedViewState {
    unsigned long& currentFrameIndex;
    unsigned long& loopCountdown;
    double& accumulator;
    bool& shouldAnimate;
    bool& needsDisplayWhenImageBecomesAvailable;
};
AnimatedViewState animatedViewState(rt::Object* view);
rt::Object* animatedViewObject(rt::Object* view, const char* ivarName);
// The view's animated image (its _animatedImage), or nothing.
rt::Object* animatedImageOf(rt::Object* view);
void setAnimatedViewObject(rt::Object* view, const char* ivarName, rt::Object* value);

// The methods of the playback itself (FLAnimatedImageViewPlayback.cpp), installed on the class by
// registerAnimatedImageView.
void addPlaybackMethods(rt::ClassBuilder&);

// -frameDelayGreatestCommonDivisor of the view's animated image, in seconds; 0 when the image
// keeps no delay at all.
double frameDelayGreatestCommonDivisor(rt::Object* animatedImage);

}
