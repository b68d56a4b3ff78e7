#include "tamarind/banner/FLAnimatedImage.h"

#include <mutex>

#include "host/foundation/MainThread.h"
#include "host/foundation/NotificationNames.h"
#include "host/foundation/Number.h"
#include "host/foundation/String.h"
#include "tamarind/banner/GifLog.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"

// Memory pressure: every live image drops to one frame held when the system warns, then grows
// back to two frames after 2 s and to no cap 3 s after that. An image that keeps getting warnings
// stops growing back after the third.

namespace tamarind {

namespace {

constexpr unsigned long kLowMemoryFrameCacheSize = 1;
constexpr long kGrowFrameCacheSize = 2;
constexpr double kGrowDelay = 2.0;
constexpr double kResetDelay = 3.0;
// Warnings 1 to 3 schedule a grow; later ones leave the image at one frame.
constexpr unsigned long kGrowAttempts = 3;

// The process-wide list of live images. It holds them weakly, so an image leaves it by dying.
struct LiveImages {
    std::mutex lock;
    std::vector<rt::Weak<FLAnimatedImage>> images;
};

LiveImages& live()
{
    static auto* list = new LiveImages;
    return *list;
}

rt::Object* growArgument()
{
    return rt::autorelease(NSNumber::withInteger(kGrowFrameCacheSize));
}

// The observer of the memory-warning notification, a class method so that it lives as long as
// the class. The notification arrives on the posting thread; images are main-thread objects.
void memoryWarningForAllImages(rt::Class*, rt::SEL, rt::Object* notification)
{
    if (!isMainThread())
        rt::fatal("Received memory warning on non-main thread");
    for (auto& image : FLAnimatedImage::liveImages())
        rt::send(image, SELECTOR("didReceiveMemoryWarning:"), notification);
}

}

void FLAnimatedImage::registerMemoryWarningObserver()
{
    static std::once_flag once;
    std::call_once(once, [] {
        rt::AutoreleasePool pool;
        rt::Class* cls = classObject();
        rt::addClassMethod(cls, rt::sel("memoryWarningForAllImages:"), &memoryWarningForAllImages);
        rt::Object* center = rt::send<rt::Object*>(notificationCenterClass.get(), SELECTOR("defaultCenter"));
        rt::send(center, SELECTOR("addObserver:selector:name:object:"), static_cast<rt::Object*>(cls),
            rt::sel("memoryWarningForAllImages:"), ns(UIApplicationDidReceiveMemoryWarningNotification),
            static_cast<rt::Object*>(nullptr));
    });
}

void FLAnimatedImage::addToLiveImages()
{
    auto& list = live();
    std::vector<rt::Ref<FLAnimatedImage>> loaded;
    std::lock_guard guard(list.lock);
    // Dead entries are dropped on the way; the references taken to test them are let go after
    // the lock, in case one of them is the last.
    std::erase_if(list.images, [&](const rt::Weak<FLAnimatedImage>& entry) {
        loaded.push_back(entry.load());
        return !loaded.back();
    });
    list.images.emplace_back(this);
}

std::vector<rt::Ref<FLAnimatedImage>> FLAnimatedImage::liveImages()
{
    auto& list = live();
    std::vector<rt::Ref<FLAnimatedImage>> images;
    std::lock_guard guard(list.lock);
    for (auto& entry : list.images) {
        if (auto image = entry.load())
            images.push_back(std::move(image));
    }
    return images;
}

void FLAnimatedImage::didReceiveMemoryWarning()
{
    ++m_memoryWarningCount;
    rt::send(objectClass.get(), SELECTOR("cancelPreviousPerformRequestsWithTarget:selector:object:"), m_weakProxy,
        rt::sel("growFrameCacheSizeAfterMemoryWarning:"), growArgument());
    rt::send(objectClass.get(), SELECTOR("cancelPreviousPerformRequestsWithTarget:selector:object:"), m_weakProxy,
        rt::sel("resetFrameCacheSizeMaxInternal"), nullptr);
    gifLog(FLLogLevelDebug, [&] {
        return formatString(
            "Attempt setting frame cache size max to %lu (previous was %lu) after memory warning #%lu for "
            "animated image: %s",
            kLowMemoryFrameCacheSize, m_frameCacheSizeMaxInternal, m_memoryWarningCount, description().c_str());
    });
    rt::send(this, SELECTOR("setFrameCacheSizeMaxInternal:"), kLowMemoryFrameCacheSize);
    if (m_memoryWarningCount - 1 < kGrowAttempts) {
        rt::send(m_weakProxy, SELECTOR("performSelector:withObject:afterDelay:"),
            rt::sel("growFrameCacheSizeAfterMemoryWarning:"), growArgument(), kGrowDelay);
    }
}

void FLAnimatedImage::growFrameCacheSizeAfterMemoryWarning(rt::Object* number)
{
    unsigned long size
        = isNumber(number) ? static_cast<unsigned long>(static_cast<NSNumber*>(number)->integerValue()) : 0;
    rt::send(this, SELECTOR("setFrameCacheSizeMaxInternal:"), size);
    gifLog(FLLogLevelDebug, [&] {
        return formatString("Grew frame cache size max to %lu after memory warning for animated image: %s",
            m_frameCacheSizeMaxInternal, description().c_str());
    });
    rt::send(m_weakProxy, SELECTOR("performSelector:withObject:afterDelay:"), rt::sel("resetFrameCacheSizeMaxInternal"),
        nullptr, kResetDelay);
}

void FLAnimatedImage::resetFrameCacheSizeMaxInternal()
{
    rt::send(this, SELECTOR("setFrameCacheSizeMaxInternal:"), 0ul);
    gifLog(FLLogLevelDebug, [&] {
        return formatString("Reset frame cache size max (current frame cache size: %lu) for animated image: %s",
            frameCacheSizeCurrent(), description().c_str());
    });
}

}
