#include <cmath>
#include <cstdint>
#include <numeric>

#include "host/foundation/Array.h"
#include "host/foundation/MediaTime.h"
#include "tamarind/banner/FLAnimatedImage.h"
#include "tamarind/banner/FLAnimatedImageView.h"
#include "tamarind/banner/FLWeakProxy.h"
#include "tamarind/banner/GifClasses.h"
#include "tamarind/banner/GifLog.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/Message.h"

// Playback: the animated image is set, the display link is made and paced, and each refresh
// moves the frame on by the time that passed. The view reaches its image only by message, as any
// client of the model does.

namespace tamarind {

namespace {

HostClass s_displayLinkClass("CADisplayLink");
HostClass s_runLoopClass("NSRunLoop");

constexpr unsigned long kLoopForever = UINT64_MAX;

rt::Object* displayLinkOf(rt::Object* self)
{
    return animatedViewObject(self, "_displayLink");
}
bool hasAnimatedImage(rt::Object* self)
{
    return animatedImageOf(self) != nullptr;
}

// The delay the model keeps for the frame, widened from the 32-bit value it is read as, or a
// negative value when the frame was dropped and has none.
double frameDelay(rt::Object* image, unsigned long index)
{
    rt::Object* delay = message(message(image, "delayTimesForIndexes"), "objectForKey:", indexKey(index));
    return delay ? static_cast<double>(message<float>(delay, "floatValue")) : -1.0;
}

void setAnimatedImage(rt::Object* self, rt::SEL, rt::Object* image)
{
    rt::Object* current = animatedImageOf(self);
    if (image && image == current)
        return;
    rt::Ref<rt::Object> keep(image);
    if (image) {
        rt::Class* view = registerAnimatedImageView();
        // A still image left in the base class would leave its layer state behind.
        if (rt::sendSuper<rt::Object*>(self, view, SELECTOR("image"))) {
            rt::sendSuper(self, view, SELECTOR("setImage:"), message(image, "posterImage"));
            rt::sendSuper(self, view, SELECTOR("setImage:"), static_cast<rt::Object*>(nullptr));
        }
        rt::sendSuper(self, view, SELECTOR("setHighlighted:"), false);
        message<void>(self, "invalidateIntrinsicContentSize");
    } else {
        message<void>(self, "stopAnimating");
    }
    setAnimatedViewObject(self, "_animatedImage", image);
    setAnimatedViewObject(self, "_currentFrame", message(image, "posterImage"));
    AnimatedViewState state = animatedViewState(self);
    state.currentFrameIndex = 0;
    unsigned long loops = message<unsigned long>(image, "loopCount");
    state.loopCountdown = loops ? loops : kLoopForever;
    state.accumulator = 0;
    message<void>(self, "updateShouldAnimate");
    if (state.shouldAnimate)
        message<void>(self, "startAnimating");
    message<void>(message(self, "layer"), "setNeedsDisplay");
}

void startAnimating(rt::Object* self, rt::SEL)
{
    if (!hasAnimatedImage(self))
        return rt::sendSuper(self, registerAnimatedImageView(), SELECTOR("startAnimating"));
    // An animation that played its last loop stays on its last frame; coming back on screen does
    // not run the link again over an index past the end. A view that cannot animate now (off
    // screen, hidden, or with nothing to play) keeps its link paused whoever asks it to start,
    // as the return from the background does: its refreshes would do nothing but use the battery.
    if (animatedViewState(self).loopCountdown == 0)
        return;
    message<void>(self, "updateShouldAnimate");
    if (!animatedViewState(self).shouldAnimate)
        return;
    if (!displayLinkOf(self)) {
        rt::Ref<rt::Object> proxy = FLWeakProxy::create(self);
        rt::Object* link = rt::send<rt::Object*>(s_displayLinkClass.get(), SELECTOR("displayLinkWithTarget:selector:"),
            proxy, rt::sel("displayDidRefresh:"));
        setAnimatedViewObject(self, "_displayLink", link);
        rt::Object* mainLoop = message(s_runLoopClass.get(), "mainRunLoop");
        message<void>(link, "addToRunLoop:forMode:", mainLoop, animatedViewObject(self, "_runLoopMode"));
    }
    rt::Object* link = displayLinkOf(self);
    double divisor = message<double>(self, "frameDelayGreatestCommonDivisor");
    // An image without any delay gives no rate of its own; the link then runs at the screen's.
    long rate = divisor > 0 ? static_cast<long>(std::ceil(1.0 / divisor)) : 0;
    message<void>(link, "setPreferredFramesPerSecond:", rate);
    message<void>(link, "setPaused:", false);
}

void stopAnimating(rt::Object* self, rt::SEL)
{
    if (!hasAnimatedImage(self))
        return rt::sendSuper(self, registerAnimatedImageView(), SELECTOR("stopAnimating"));
    message<void>(displayLinkOf(self), "setPaused:", true);
}

bool isAnimating(rt::Object* self, rt::SEL)
{
    if (!hasAnimatedImage(self))
        return rt::sendSuper<bool>(self, registerAnimatedImageView(), SELECTOR("isAnimating"));
    rt::Object* link = displayLinkOf(self);
    return link && !message<bool>(link, "isPaused");
}

double greatestCommonDivisor(rt::Object* self, rt::SEL)
{
    return frameDelayGreatestCommonDivisor(animatedImageOf(self));
}

// The index passed the last frame: one loop less to play. Returns false when playback ended.
bool finishLoop(rt::Object* self, AnimatedViewState& state)
{
    if (state.loopCountdown == 0)
        return false;
    --state.loopCountdown;
    if (rt::Object* completion = animatedViewObject(self, "_loopCompletionBlock"))
        rt::callBlock<void(unsigned long)>(completion, state.loopCountdown);
    if (state.loopCountdown == 0) {
        message<void>(self, "stopAnimating");
        return false;
    }
    state.currentFrameIndex = 0;
    return true;
}

// Shows the fetched frame and moves on by as many frames as the time owed covers, each charged
// with the shown frame's delay.
void advance(rt::Object* self, rt::Object* link, rt::Object* image, rt::Object* frame, double delay)
{
    AnimatedViewState state = animatedViewState(self);
    setAnimatedViewObject(self, "_currentFrame", frame);
    if (state.needsDisplayWhenImageBecomesAvailable) {
        message<void>(message(self, "layer"), "setNeedsDisplay");
        state.needsDisplayWhenImageBecomesAvailable = false;
    }
    state.accumulator += message<double>(link, "targetTimestamp") - CACurrentMediaTime();
    unsigned long frameCount = message<unsigned long>(image, "frameCount");
    while (state.accumulator >= delay) {
        state.accumulator -= delay;
        ++state.currentFrameIndex;
        if (state.currentFrameIndex >= frameCount && !finishLoop(self, state))
            return;
        state.needsDisplayWhenImageBecomesAvailable = true;
    }
}

void displayDidRefresh(rt::Object* self, rt::SEL, rt::Object* link)
{
    AnimatedViewState state = animatedViewState(self);
    rt::Ref<rt::Object> image(animatedImageOf(self));
    if (!state.shouldAnimate) {
        gifLog(FLLogLevelWarn, [&] {
            return formatString("Trying to animate image when we shouldn't: %s", describeObject(self).c_str());
        });
        return;
    }
    double delay = frameDelay(image.get(), state.currentFrameIndex);
    if (delay < 0) {
        // A dropped frame is passed over, one index a refresh. A dropped last frame ends the loop
        // as the last frame's turn would, so playback cannot run past the end for ever.
        ++state.currentFrameIndex;
        if (state.currentFrameIndex >= message<unsigned long>(image.get(), "frameCount"))
            finishLoop(self, state);
        return;
    }
    rt::Object* frame = message(image.get(), "imageLazilyCachedAtIndex:", state.currentFrameIndex);
    if (!frame) {
        gifLog(FLLogLevelDebug, [&] {
            return formatString("Waiting for frame %lu for animated image: %s", state.currentFrameIndex,
                describeObject(image.get()).c_str());
        });
        return;
    }
    gifLog(FLLogLevelVerbose, [&] {
        return formatString(
            "Showing frame %lu for animated image: %s", state.currentFrameIndex, describeObject(image.get()).c_str());
    });
    advance(self, link, image.get(), frame, delay);
}

}

double frameDelayGreatestCommonDivisor(rt::Object* animatedImage)
{
    // Delays are counted in hundredths of a second: half the shortest delay an image keeps.
    const double precision = 2.0 / kFLAnimatedImageDelayTimeIntervalMinimum;
    auto scaled = [&](rt::Object* delay) {
        double widened = static_cast<double>(message<float>(delay, "floatValue"));
        return static_cast<std::uint64_t>(std::llrint(widened * precision));
    };
    rt::Object* delays = message(message(animatedImage, "delayTimesForIndexes"), "allValues");
    if (!isArray(delays) || static_cast<NSArray*>(delays)->count() == 0)
        return 0;
    auto* values = static_cast<NSArray*>(delays);
    std::uint64_t divisor = scaled(values->at(0));
    for (std::size_t i = 0; i < values->count(); ++i)
        divisor = std::gcd(divisor, scaled(values->at(i)));
    return static_cast<double>(divisor) / precision;
}

void addPlaybackMethods(rt::ClassBuilder& builder)
{
    builder.method("setAnimatedImage:", &setAnimatedImage)
        .method("startAnimating", &startAnimating)
        .method("stopAnimating", &stopAnimating)
        .method("isAnimating", &isAnimating)
        .method("frameDelayGreatestCommonDivisor", &greatestCommonDivisor)
        .method("displayDidRefresh:", &displayDidRefresh);
}

}
