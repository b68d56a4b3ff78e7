#include "tamarind/banner/FLAnimatedImage.h"

#include "host/foundation/String.h"
#include "tamarind/banner/GifLog.h"
#include "tamarind/core/HostClasses.h"

// The class "FLAnimatedImage" and its messages. Each one is a thin thunk over the C++ class, so
// the playback view and tests reach the model exactly as a client on a device would, and a
// replaced method takes effect wherever the message is sent.

namespace tamarind {

namespace {

using rt::Class;
using rt::Object;
using rt::SEL;

FLAnimatedImage* image(Object* o)
{
    return static_cast<FLAnimatedImage*>(o);
}

// An initializer consumes the allocated object: on failure it releases it and answers nil.
Object* initWithData(Object* self, SEL, Object* data, unsigned long optimalFrameCacheSize, bool predrawingEnabled)
{
    auto* bytes = isData(data) ? static_cast<NSData*>(data) : nullptr;
    if (data && !bytes) {
        // Anything but data is no animated GIF data at all.
        self->release();
        return nullptr;
    }
    if (!image(self)->initialize(bytes, optimalFrameCacheSize, predrawingEnabled)) {
        self->release();
        return nullptr;
    }
    return self;
}

Object* initWithDataDefaults(Object* self, SEL, Object* data)
{
    return rt::send<Object*>(
        self, SELECTOR("initWithAnimatedGIFData:optimalFrameCacheSize:predrawingEnabled:"), data, 0ul, true);
}

Object* initUnsupported(Object* self, SEL)
{
    Object* created = rt::send<Object*>(self, SELECTOR("initWithAnimatedGIFData:"), nullptr);
    if (created)
        created->release();
    gifLog(FLLogLevelError, [] {
        return std::string(
            "Use `-initWithAnimatedGIFData:` and supply the animated GIF data as an argument to initialize an "
            "object of type `FLAnimatedImage`.");
    });
    return nullptr;
}

Object* animatedImageWithGIFData(Class* cls, SEL, Object* data)
{
    Object* allocated = rt::send<Object*>(cls, SELECTOR("alloc"));
    Object* created = rt::send<Object*>(allocated, SELECTOR("initWithAnimatedGIFData:"), data);
    return rt::autorelease(created);
}

CGSize sizeForImage(Class*, SEL, Object* object)
{
    if (!object)
        return {};
    if (rt::isKindOf(object, imageClass.get()) || rt::isKindOf(object, FLAnimatedImage::classObject()))
        return rt::send<CGSize>(object, SELECTOR("size"));
    gifLog(FLLogLevelError, [&] {
        return formatString(
            "`image` isn't of expected types `UIImage` or `FLAnimatedImage`: %s", describeObject(object).c_str());
    });
    return {};
}

void setLogBlock(Class*, SEL, rt::BlockBase* block, unsigned long level)
{
    setGifLogSink(block, level);
}

void logStringFromBlock(Class*, SEL, rt::BlockBase* build, unsigned long level)
{
    if (!build || !gifLogAccepts(level))
        return;
    rt::AutoreleasePool pool;
    deliverGifLog(toStdString(rt::callBlock<Object*()>(build)), level);
}

Object* predrawnImageFromImage(Class*, SEL, Object* source)
{
    return rt::autorelease(FLAnimatedImage::predrawnImage(source));
}

void registerLifecycle(Class* c)
{
    rt::addClassMethod(c, rt::sel("animatedImageWithGIFData:"), &animatedImageWithGIFData);
    rt::addClassMethod(c, rt::sel("sizeForImage:"), &sizeForImage);
    rt::addClassMethod(c, rt::sel("setLogBlock:logLevel:"), &setLogBlock);
    rt::addClassMethod(c, rt::sel("logStringFromBlock:withLevel:"), &logStringFromBlock);
    rt::addClassMethod(c, rt::sel("predrawnImageFromImage:"), &predrawnImageFromImage);
    rt::addMethod(c, rt::sel("initWithAnimatedGIFData:optimalFrameCacheSize:predrawingEnabled:"), &initWithData);
    rt::addMethod(c, rt::sel("initWithAnimatedGIFData:"), &initWithDataDefaults);
    rt::replaceMethod(c, rt::sel("init"), &initUnsupported);
    rt::addMethod(
        c, rt::sel("description"), +[](Object* self, SEL) -> Object* { return ns(image(self)->description()); });
}

void registerFrameCache(Class* c)
{
    rt::addMethod(
        c, rt::sel("imageLazilyCachedAtIndex:"),
        +[](Object* self, SEL, unsigned long index) { return image(self)->imageLazilyCachedAtIndex(index); });
    rt::addMethod(
        c, rt::sel("frameIndexesToCache"),
        +[](Object* self, SEL) -> Object* { return rt::autorelease(image(self)->frameIndexesToCache()); });
    rt::addMethod(
        c, rt::sel("addFrameIndexesToCache:"), +[](Object* self, SEL, Object* indexes) {
            if (isIndexSet(indexes))
                image(self)->addFrameIndexesToCache(*static_cast<NSIndexSet*>(indexes));
        });
    rt::addMethod(
        c, rt::sel("imageAtIndex:"), +[](Object* self, SEL, unsigned long index) -> Object* {
            return rt::autorelease(image(self)->imageAtIndex(index));
        });
    rt::addMethod(
        c, rt::sel("purgeFrameCacheIfNeeded"), +[](Object* self, SEL) { image(self)->purgeFrameCacheIfNeeded(); });
    rt::addMethod(
        c, rt::sel("didReceiveMemoryWarning:"),
        +[](Object* self, SEL, Object*) { image(self)->didReceiveMemoryWarning(); });
    rt::addMethod(
        c, rt::sel("growFrameCacheSizeAfterMemoryWarning:"),
        +[](Object* self, SEL, Object* number) { image(self)->growFrameCacheSizeAfterMemoryWarning(number); });
    rt::addMethod(
        c, rt::sel("resetFrameCacheSizeMaxInternal"),
        +[](Object* self, SEL) { image(self)->resetFrameCacheSizeMaxInternal(); });
}

// A message for each property accessor, each declared as a property with its type and
// attributes, so that introspection sees what a client on a device would.
template <auto Accessor> auto answer(Object* self, SEL)
{
    auto value = (image(self)->*Accessor)();
    if constexpr (std::is_pointer_v<decltype(value)>)
        return static_cast<Object*>(value);
    else
        return value;
}

template <auto Setter> void assign(Object* self, SEL, unsigned long value)
{
    (image(self)->*Setter)(value);
}

void registerProperties(Class* c)
{
    using I = FLAnimatedImage;
    rt::addMethod(c, rt::sel("frameCacheSizeOptimal"), &answer<&I::frameCacheSizeOptimal>);
    rt::addMethod(c, rt::sel("isPredrawingEnabled"), &answer<&I::isPredrawingEnabled>);
    rt::addMethod(c, rt::sel("frameCacheSizeMaxInternal"), &answer<&I::frameCacheSizeMaxInternal>);
    rt::addMethod(c, rt::sel("setFrameCacheSizeMaxInternal:"), &assign<&I::setFrameCacheSizeMaxInternal>);
    rt::addMethod(c, rt::sel("requestedFrameIndex"), &answer<&I::requestedFrameIndex>);
    rt::addMethod(c, rt::sel("setRequestedFrameIndex:"), &assign<&I::setRequestedFrameIndex>);
    rt::addMethod(c, rt::sel("posterImageFrameIndex"), &answer<&I::posterImageFrameIndex>);
    rt::addMethod(c, rt::sel("cachedFramesForIndexes"), &answer<&I::cachedFramesForIndexes>);
    rt::addMethod(c, rt::sel("cachedFrameIndexes"), &answer<&I::cachedFrameIndexes>);
    rt::addMethod(c, rt::sel("requestedFrameIndexes"), &answer<&I::requestedFrameIndexes>);
    rt::addMethod(c, rt::sel("allFramesIndexSet"), &answer<&I::allFramesIndexSet>);
    rt::addMethod(c, rt::sel("memoryWarningCount"), &answer<&I::memoryWarningCount>);
    rt::addMethod(c, rt::sel("setMemoryWarningCount:"), &assign<&I::setMemoryWarningCount>);
    rt::addMethod(c, rt::sel("serialQueue"), &answer<&I::serialQueue>);
    rt::addMethod(c, rt::sel("imageSource"), &answer<&I::imageSource>);
    rt::addMethod(c, rt::sel("weakProxy"), &answer<&I::weakProxy>);
    rt::addMethod(c, rt::sel("posterImage"), &answer<&I::posterImage>);
    rt::addMethod(c, rt::sel("size"), &answer<&I::size>);
    rt::addMethod(c, rt::sel("loopCount"), &answer<&I::loopCount>);
    rt::addMethod(c, rt::sel("setLoopCount:"), &assign<&I::setLoopCount>);
    rt::addMethod(c, rt::sel("delayTimesForIndexes"), &answer<&I::delayTimesForIndexes>);
    rt::addMethod(c, rt::sel("frameCount"), &answer<&I::frameCount>);
    rt::addMethod(c, rt::sel("frameCacheSizeCurrent"), &answer<&I::frameCacheSizeCurrent>);
    rt::addMethod(c, rt::sel("frameCacheSizeMax"), &answer<&I::frameCacheSizeMax>);
    rt::addMethod(c, rt::sel("setFrameCacheSizeMax:"), &assign<&I::setFrameCacheSizeMax>);
    rt::addMethod(c, rt::sel("data"), &answer<&I::data>);

    static constexpr std::pair<const char*, const char*> declared[] = {
        { "frameCacheSizeOptimal", "TQ,R,N" },
        { "predrawingEnabled", "TB,R,N,GisPredrawingEnabled" },
        { "frameCacheSizeMaxInternal", "TQ,N" },
        { "requestedFrameIndex", "TQ,N" },
        { "posterImageFrameIndex", "TQ,R,N" },
        { "cachedFramesForIndexes", "T@\"NSMutableDictionary\",R,&,N" },
        { "cachedFrameIndexes", "T@\"NSMutableIndexSet\",R,&,N" },
        { "requestedFrameIndexes", "T@\"NSMutableIndexSet\",R,&,N" },
        { "allFramesIndexSet", "T@\"NSIndexSet\",R,&,N" },
        { "memoryWarningCount", "TQ,N" },
        { "serialQueue", "T@\"NSObject<OS_dispatch_queue>\",R,&,N" },
        { "imageSource", "T@\"CGImageSource\",R,&,N" },
        { "weakProxy", "T@\"FLWeakProxy\",R,&,N" },
        { "posterImage", "T@\"UIImage\",R,&,N" },
        { "size", "T{CGSize=dd},R,N" },
        { "loopCount", "TQ,N" },
        { "delayTimesForIndexes", "T@\"NSDictionary\",R,&,N" },
        { "frameCount", "TQ,R,N" },
        { "frameCacheSizeCurrent", "TQ,R,N" },
        { "frameCacheSizeMax", "TQ,N" },
        { "data", "T@\"NSData\",R,&,N" },
    };
    for (auto [name, attributes] : declared)
        rt::addProperty(c, name, attributes);
}

}

rt::Class* FLAnimatedImage::classObject()
{
    static rt::Class* cls = [] {
        Class* c = rt::defineCppClass<FLAnimatedImage>("FLAnimatedImage", rt::rootClass());
        registerLifecycle(c);
        registerFrameCache(c);
        registerProperties(c);
        return c;
    }();
    return cls;
}

}
