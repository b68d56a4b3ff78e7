#include "tamarind/banner/FLAnimatedImageView.h"

#include "host/foundation/Geometry.h"
#include "host/foundation/RunLoopModes.h"
#include "host/foundation/String.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"

// The class, its state and what it changes of the base image view: initializers, the still image
// and the animated one side by side, and the visibility changes that start and stop playback.

namespace tamarind {

namespace {

HostClass s_processInfoClass("NSProcessInfo");
HostClass s_assertionHandlerClass("NSAssertionHandler");

rt::Class* s_viewClass = nullptr;

struct Ivars {
    const rt::Ivar* currentFrame;
    const rt::Ivar* currentFrameIndex;
    const rt::Ivar* loopCountdown;
    const rt::Ivar* accumulator;
    const rt::Ivar* shouldAnimate;
    const rt::Ivar* needsDisplay;
};
Ivars s_ivars {};

template <class R = void, class... Args> R toSuper(rt::Object* self, const char* selector, Args... args)
{
    return rt::sendSuper<R>(self, s_viewClass, rt::sel(selector), args...);
}

rt::Object* defaultRunLoopMode(rt::Class*, rt::SEL)
{
    rt::Object* info = rt::send<rt::Object*>(s_processInfoClass.get(), SELECTOR("processInfo"));
    unsigned long processors = rt::send<unsigned long>(info, SELECTOR("activeProcessorCount"));
    return ns(processors > 1 ? NSRunLoopCommonModes : NSDefaultRunLoopMode);
}

void setRunLoopMode(rt::Object* self, rt::SEL cmd, rt::Object* mode)
{
    std::string name = toStdString(mode);
    if (!isString(mode) || (name != NSDefaultRunLoopMode && name != NSRunLoopCommonModes)) {
        rt::Object* handler = rt::send<rt::Object*>(s_assertionHandlerClass.get(), SELECTOR("currentHandler"));
        std::string description = "Invalid run loop mode: " + (mode ? name : std::string("(null)"));
        rt::send(handler, SELECTOR("handleFailureInMethod:object:file:lineNumber:description:"), cmd, self,
            ns("FLAnimatedImageView"), 0L, ns(description));
        mode = rt::send<rt::Object*>(self->isa(), SELECTOR("defaultRunLoopMode"));
    }
    setAnimatedViewObject(self, "_runLoopMode", mode);
}

// What every initializer does after the base one.
rt::Object* commonInit(rt::Object* self)
{
    if (!self)
        return nullptr;
    rt::send(self, SELECTOR("setRunLoopMode:"), rt::send<rt::Object*>(self->isa(), SELECTOR("defaultRunLoopMode")));
    rt::send(self, SELECTOR("setAccessibilityIgnoresInvertColors:"), true);
    return self;
}

rt::Object* initWithImage(rt::Object* self, rt::SEL, rt::Object* image)
{
    return commonInit(toSuper<rt::Object*>(self, "initWithImage:", image));
}

rt::Object* initWithImageHighlighted(rt::Object* self, rt::SEL, rt::Object* image, rt::Object* highlighted)
{
    return commonInit(toSuper<rt::Object*>(self, "initWithImage:highlightedImage:", image, highlighted));
}

rt::Object* initWithFrame(rt::Object* self, rt::SEL, CGRect frame)
{
    return commonInit(toSuper<rt::Object*>(self, "initWithFrame:", frame));
}

// The host's views are never archived; a base without initWithCoder: starts from an empty frame.
rt::Object* initWithCoder(rt::Object* self, rt::SEL, rt::Object* coder)
{
    if (s_viewClass->superclass()->lookup(rt::sel("initWithCoder:")))
        return commonInit(toSuper<rt::Object*>(self, "initWithCoder:", coder));
    return commonInit(toSuper<rt::Object*>(self, "initWithFrame:", CGRect {}));
}

rt::Object* shownImage(rt::Object* self, rt::SEL)
{
    if (animatedImageOf(self))
        return animatedViewObject(self, "_currentFrame");
    return toSuper<rt::Object*>(self, "image");
}

void setImage(rt::Object* self, rt::SEL, rt::Object* image)
{
    if (image)
        rt::send(self, SELECTOR("setAnimatedImage:"), static_cast<rt::Object*>(nullptr));
    toSuper(self, "setImage:", image);
}

// Highlighting is not supported while animating.
void setHighlighted(rt::Object* self, rt::SEL, bool highlighted)
{
    if (!animatedImageOf(self))
        toSuper(self, "setHighlighted:", highlighted);
}

CGSize intrinsicContentSize(rt::Object* self, rt::SEL)
{
    if (!animatedImageOf(self))
        return toSuper<CGSize>(self, "intrinsicContentSize");
    return rt::send<CGSize>(rt::send<rt::Object*>(self, SELECTOR("image")), SELECTOR("size"));
}

void displayLayer(rt::Object* self, rt::SEL, rt::Object* layer)
{
    rt::Object* shown = rt::send<rt::Object*>(self, SELECTOR("image"));
    rt::send(layer, SELECTOR("setContents:"), rt::send<rt::Object*>(shown, SELECTOR("CGImage")));
}

// Visibility: each change lets the base class act first, then starts or stops playback.
void followVisibility(rt::Object* self)
{
    rt::send(self, SELECTOR("updateShouldAnimate"));
    if (animatedViewState(self).shouldAnimate)
        rt::send(self, SELECTOR("startAnimating"));
    else
        rt::send(self, SELECTOR("stopAnimating"));
}

void didMoveToSuperview(rt::Object* self, rt::SEL)
{
    toSuper(self, "didMoveToSuperview");
    followVisibility(self);
}

void didMoveToWindow(rt::Object* self, rt::SEL)
{
    toSuper(self, "didMoveToWindow");
    followVisibility(self);
}

void setAlpha(rt::Object* self, rt::SEL, double alpha)
{
    toSuper(self, "setAlpha:", alpha);
    followVisibility(self);
}

void setHidden(rt::Object* self, rt::SEL, bool hidden)
{
    toSuper(self, "setHidden:", hidden);
    followVisibility(self);
}

// An image none of whose frames decoded has nothing to play: a link running for it would only
// step over missing frames at the screen's rate for ever.
bool hasFrameToPlay(rt::Object* image)
{
    rt::Object* delays = rt::send<rt::Object*>(image, SELECTOR("delayTimesForIndexes"));
    return rt::send<unsigned long>(delays, SELECTOR("count")) > 0;
}

void updateShouldAnimate(rt::Object* self, rt::SEL)
{
    bool visible = rt::send<rt::Object*>(self, SELECTOR("window")) && rt::send<rt::Object*>(self, SELECTOR("superview"))
        && !rt::send<bool>(self, SELECTOR("isHidden")) && rt::send<double>(self, SELECTOR("alpha")) > 0.0;
    rt::Object* image = animatedImageOf(self);
    animatedViewState(self).shouldAnimate = image && visible && hasFrameToPlay(image);
}

void viewDealloc(rt::Object* self, rt::SEL)
{
    rt::send(animatedViewObject(self, "_displayLink"), SELECTOR("invalidate"));
    toSuper(self, "dealloc");
}

template <const char* Name> rt::Object* objectGetter(rt::Object* self, rt::SEL)
{
    return animatedViewObject(self, Name);
}
template <const char* Name> void objectSetter(rt::Object* self, rt::SEL, rt::Object* value)
{
    setAnimatedViewObject(self, Name, value);
}

constexpr char kCurrentFrame[] = "_currentFrame";
constexpr char kDisplayLink[] = "_displayLink";
constexpr char kAnimatedImage[] = "_animatedImage";
constexpr char kLoopCompletionBlock[] = "_loopCompletionBlock";
constexpr char kRunLoopMode[] = "_runLoopMode";

void addStateAccessors(rt::ClassBuilder& builder)
{
    builder.method("currentFrame", &objectGetter<kCurrentFrame>)
        .method("displayLink", &objectGetter<kDisplayLink>)
        .method("animatedImage", &objectGetter<kAnimatedImage>)
        .method("loopCompletionBlock", &objectGetter<kLoopCompletionBlock>)
        .method("setLoopCompletionBlock:", &objectSetter<kLoopCompletionBlock>)
        .method("runLoopMode", &objectGetter<kRunLoopMode>)
        .method(
            "currentFrameIndex", +[](rt::Object* s, rt::SEL) { return animatedViewState(s).currentFrameIndex; })
        .method(
            "loopCountdown", +[](rt::Object* s, rt::SEL) { return animatedViewState(s).loopCountdown; })
        .method(
            "accumulator", +[](rt::Object* s, rt::SEL) { return animatedViewState(s).accumulator; })
        .method(
            "shouldAnimate", +[](rt::Object* s, rt::SEL) { return animatedViewState(s).shouldAnimate; })
        .method(
            "needsDisplayWhenImageBecomesAvailable",
            +[](rt::Object* s, rt::SEL) { return animatedViewState(s).needsDisplayWhenImageBecomesAvailable; });
}

void declareIvars(rt::ClassBuilder& builder)
{
    builder.ivar<rt::Ref<rt::Object>>(kCurrentFrame)
        .ivar<unsigned long>("_currentFrameIndex")
        .ivar<unsigned long>("_loopCountdown")
        .ivar<double>("_accumulator")
        .ivar<rt::Ref<rt::Object>>(kDisplayLink)
        .ivar<bool>("_shouldAnimate")
        .ivar<bool>("_needsDisplayWhenImageBecomesAvailable")
        .ivar<rt::Ref<rt::Object>>(kAnimatedImage)
        .ivar<rt::Ref<rt::Object>>(kLoopCompletionBlock)
        .ivar<rt::Ref<rt::Object>>(kRunLoopMode);
}

rt::Class* buildViewClass()
{
    rt::Class* base = imageViewClass.get();
    if (!base)
        return nullptr;
    rt::ClassBuilder builder("FLAnimatedImageView", base);
    declareIvars(builder);
    addStateAccessors(builder);
    addPlaybackMethods(builder);
    builder.classMethod("defaultRunLoopMode", &defaultRunLoopMode)
        .method("setRunLoopMode:", &setRunLoopMode)
        .method("initWithImage:", &initWithImage)
        .method("initWithImage:highlightedImage:", &initWithImageHighlighted)
        .method("initWithFrame:", &initWithFrame)
        .method("initWithCoder:", &initWithCoder)
        .method("image", &shownImage)
        .method("setImage:", &setImage)
        .method("setHighlighted:", &setHighlighted)
        .method("intrinsicContentSize", &intrinsicContentSize)
        .method("displayLayer:", &displayLayer)
        .method("didMoveToSuperview", &didMoveToSuperview)
        .method("didMoveToWindow", &didMoveToWindow)
        .method("setAlpha:", &setAlpha)
        .method("setHidden:", &setHidden)
        .method("updateShouldAnimate", &updateShouldAnimate)
        .method("dealloc", &viewDealloc);
    return builder.registerClass();
}

const rt::Ivar* ivarNamed(const char* name)
{
    const rt::Ivar* ivar = rt::getInstanceVariable(s_viewClass, name);
    TAM_ASSERT(ivar);
    return ivar;
}

}

rt::Class* registerAnimatedImageView()
{
    static rt::Class* cls = [] {
        rt::Class* c = buildViewClass();
        if (!c)
            c = rt::getClass("FLAnimatedImageView");
        s_viewClass = c;
        if (c) {
            s_ivars = { ivarNamed(kCurrentFrame), ivarNamed("_currentFrameIndex"), ivarNamed("_loopCountdown"),
                ivarNamed("_accumulator"), ivarNamed("_shouldAnimate"),
                ivarNamed("_needsDisplayWhenImageBecomesAvailable") };
        }
        return c;
    }();
    return cls;
}

AnimatedViewState animatedViewState(rt::Object* view)
{
    return { *rt::ivarPointer<unsigned long>(view, s_ivars.currentFrameIndex),
        *rt::ivarPointer<unsigned long>(view, s_ivars.loopCountdown),
        *rt::ivarPointer<double>(view, s_ivars.accumulator), *rt::ivarPointer<bool>(view, s_ivars.shouldAnimate),
        *rt::ivarPointer<bool>(view, s_ivars.needsDisplay) };
}

rt::Object* animatedImageOf(rt::Object* view)
{
    return animatedViewObject(view, "_animatedImage");
}

rt::Object* animatedViewObject(rt::Object* view, const char* ivarName)
{
    return rt::getIvarObject(view, rt::getInstanceVariable(s_viewClass, ivarName));
}

void setAnimatedViewObject(rt::Object* view, const char* ivarName, rt::Object* value)
{
    rt::setIvarObject(view, rt::getInstanceVariable(s_viewClass, ivarName), value);
}

}
