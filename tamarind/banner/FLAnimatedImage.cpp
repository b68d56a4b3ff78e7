#include "tamarind/banner/FLAnimatedImage.h"

#include <cfloat>

#include "host/foundation/Number.h"
#include "host/foundation/String.h"
#include "host/imageio/UniformType.h"
#include "tamarind/banner/FLWeakProxy.h"
#include "tamarind/banner/GifClasses.h"
#include "tamarind/banner/GifLog.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"

extern "C" const double kFLAnimatedImageDelayTimeIntervalMinimum = 0.02;

namespace tamarind {

namespace {

constexpr double kDefaultDelay = 0.1;
// A delay read as a 32-bit float below this is too small to honour: the minimum as a float,
// less one float epsilon, so that a delay of exactly the minimum survives the float's rounding.
constexpr float kDelayFloor = static_cast<float>(0.02) - FLT_EPSILON;
constexpr double kBytesPerMegabyte = 1048576;
constexpr double kSmallAnimationMegabytes = 10;
constexpr double kMediumAnimationMegabytes = 75;
constexpr unsigned long kMediumFrameCacheSize = 5;
constexpr unsigned long kLargeFrameCacheSize = 1;

}

rt::Object* imageWithCGImage(CGImage* image)
{
    if (!image)
        return nullptr;
    return rt::send<rt::Object*>(imageClass.get(), SELECTOR("imageWithCGImage:"), image);
}

CGImage* cgImageOf(rt::Object* image)
{
    return rt::dynamicCast<CGImage>(rt::send<rt::Object*>(image, SELECTOR("CGImage")), CGImage::runtimeClass());
}

rt::Object* indexKey(unsigned long index)
{
    return rt::autorelease(NSNumber::withInteger(static_cast<int64_t>(index)));
}

FLAnimatedImage::FLAnimatedImage() = default;

FLAnimatedImage::~FLAnimatedImage()
{
    // Pending delayed calls hold the proxy, not the image; none may fire once the image is gone.
    if (m_weakProxy)
        rt::send(objectClass.get(), SELECTOR("cancelPreviousPerformRequestsWithTarget:"), m_weakProxy);
}

bool FLAnimatedImage::initialize(NSData* data, unsigned long optimalFrameCacheSize, bool predrawingEnabled)
{
    registerMemoryWarningObserver();
    if (!data || !data->length()) {
        gifLog(FLLogLevelError, [] { return std::string("No animated GIF data supplied."); });
        return false;
    }
    m_data = data;
    m_predrawingEnabled = predrawingEnabled;
    m_cachedFramesForIndexes = NSDictionary::createMutable();
    m_cachedFrameIndexes = NSIndexSet::createMutable();
    m_requestedFrameIndexes = NSIndexSet::createMutable();

    // The source never keeps decoded images itself, so the frame cache alone holds pixels. It
    // reads the bytes where the data holds them rather than keeping a second copy.
    m_imageSource = CGImageSource::create({ data->bytes(), data->length() }, rt::Ref<rt::Object>(data));
    if (!m_imageSource) {
        gifLog(FLLogLevelError, [&] {
            return formatString(
                "Failed to `CGImageSourceCreateWithData` for animated GIF data %s", describeObject(data).c_str());
        });
        return false;
    }
    std::string_view type = m_imageSource->type();
    if (type.empty() || !UTTypeConformsTo(type, kUTTypeGIF)) {
        gifLog(FLLogLevelError, [&] {
            return formatString("Supplied data is of type %s and doesn't seem to be GIF data %s",
                type.empty() ? "(null)" : std::string(type).c_str(), describeObject(data).c_str());
        });
        return false;
    }
    auto properties = m_imageSource->properties();
    m_loopCount = properties.gif && properties.gif->loopCount ? *properties.gif->loopCount : 0;

    std::size_t skippedCount = 0;
    if (!readFrames(skippedCount))
        return false;
    chooseOptimalFrameCacheSize(optimalFrameCacheSize, skippedCount);
    m_allFramesIndexSet = NSIndexSet::create({ 0, m_frameCount });
    m_weakProxy = FLWeakProxy::create(this);
    addToLiveImages();
    return true;
}

bool FLAnimatedImage::readFrames(std::size_t& skippedCount)
{
    std::size_t count = m_imageSource->count();
    auto delays = NSDictionary::createMutable();
    for (std::size_t i = 0; i < count; ++i) {
        // Each frame's decoded pixels are let go before the next is decoded.
        rt::AutoreleasePool pool;
        auto image = m_imageSource->createImageAtIndex(i);
        if (!image) {
            ++skippedCount;
            gifLog(FLLogLevelInfo, [&] {
                return formatString(
                    "Dropping frame %zu because failed to `CGImageSourceCreateImageAtIndex` with image source %s", i,
                    describeObject(m_imageSource.get()).c_str());
            });
            continue;
        }
        rt::Object* frame = imageWithCGImage(image.get());
        if (!frame) {
            ++skippedCount;
            gifLog(FLLogLevelInfo, [&] {
                return formatString("Dropping frame %zu because valid `CGImageRef` %s did result in `nil`-`UIImage`.",
                    i, describeObject(image.get()).c_str());
            });
            continue;
        }
        if (!m_posterImage) {
            m_posterImage = frame;
            m_size = rt::send<CGSize>(frame, SELECTOR("size"));
            m_posterImageFrameIndex = i;
            storeFrame(i, frame);
        }
        delays->set(indexKey(i), rt::autorelease(NSNumber::withDouble(delayForFrame(i, frame, *delays))));
    }
    // The delays are kept as an immutable copy, as the property's class says.
    m_delayTimesForIndexes = rt::adopt(static_cast<NSDictionary*>(rt::send<rt::Object*>(delays, SELECTOR("copy"))));
    m_frameCount = count;
    if (!count) {
        gifLog(FLLogLevelInfo, [&] {
            return formatString("Failed to create any valid frames for GIF with properties %s",
                m_imageSource->properties().description().c_str());
        });
        return false;
    }
    if (count == 1) {
        gifLog(FLLogLevelInfo, [&] {
            return formatString("Created valid GIF but with only a single frame. Image properties: %s",
                m_imageSource->properties().description().c_str());
        });
    }
    return true;
}

double FLAnimatedImage::delayForFrame(std::size_t index, rt::Object* frame, NSDictionary& delays) const
{
    auto properties = m_imageSource->propertiesAtIndex(index);
    std::optional<double> found;
    if (properties)
        found = properties->unclampedDelayTime ? properties->unclampedDelayTime : properties->delayTime;
    double delay;
    if (found) {
        delay = *found;
    } else if (!index) {
        delay = kDefaultDelay;
        gifLog(FLLogLevelInfo, [&] {
            return formatString(
                "Falling back to default delay time for first frame %s because none found in GIF properties %s",
                describeObject(frame).c_str(), properties ? properties->description().c_str() : "(null)");
        });
    } else {
        // A skipped predecessor has no delay on record, which reads as 0 and is rounded up below.
        auto* previous = delays.get(indexKey(index - 1));
        delay = isNumber(previous) ? static_cast<NSNumber*>(previous)->doubleValue() : 0;
        gifLog(FLLogLevelInfo, [&] {
            return formatString(
                "Falling back to preceding delay time for frame %zu %s because none found in GIF properties %s", index,
                describeObject(frame).c_str(), properties ? properties->description().c_str() : "(null)");
        });
    }
    // The default, not the minimum, replaces a delay that is too small: files that ask for no
    // delay at all mean "as fast as possible", which browsers show at the default pace.
    if (static_cast<float>(delay) < kDelayFloor) {
        gifLog(FLLogLevelInfo, [&] {
            return formatString("Rounding frame %zu's `delayTime` from %f up to default %f (minimum supported: %f).",
                index, delay, kDefaultDelay, kFLAnimatedImageDelayTimeIntervalMinimum);
        });
        delay = kDefaultDelay;
    }
    return delay;
}

void FLAnimatedImage::chooseOptimalFrameCacheSize(unsigned long requested, std::size_t skippedCount)
{
    unsigned long size = requested;
    if (!size) {
        CGImage* poster = cgImageOf(m_posterImage.get());
        double bytesPerFrame
            = poster ? static_cast<double>(poster->bytesPerRow()) * static_cast<double>(poster->height()) : 0;
        double megabytes = bytesPerFrame * static_cast<double>(m_frameCount - skippedCount) / kBytesPerMegabyte;
        if (megabytes <= kSmallAnimationMegabytes)
            size = m_frameCount;
        else if (megabytes <= kMediumAnimationMegabytes)
            size = kMediumFrameCacheSize;
        else
            size = kLargeFrameCacheSize;
    }
    m_frameCacheSizeOptimal = std::min(size, m_frameCount);
}

void FLAnimatedImage::storeFrame(unsigned long index, rt::Object* frame)
{
    m_cachedFramesForIndexes->set(indexKey(index), frame);
    m_cachedFrameIndexes->add(index);
}

std::string FLAnimatedImage::description() const
{
    return formatString("<%s: %p> size={%g, %g} frameCount=%lu", isa()->name(), static_cast<const void*>(this),
        m_size.width, m_size.height, m_frameCount);
}

}
