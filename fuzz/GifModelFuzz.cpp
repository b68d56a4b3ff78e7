// Feeds arbitrary bytes to the animated image model: creation (the structure and delays
// read, the cache size chosen), then every frame fetched in play order through the decoding queue
// and the main run loop, with a memory warning half way so that the cap, the purge and the
// delayed calls on the weak proxy run too. Whatever the bytes, the model must answer nil or an
// image whose frames and delays agree with its frame count.

#include <cstdint>
#include <cstdlib>

#include "host/foundation/Data.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/Dispatch.h"
#include "host/foundation/NotificationCenter.h"
#include "host/foundation/Number.h"
#include "host/foundation/RunLoop.h"
#include "host/runtime/Runtime.h"
#include "tamarind/banner/GifClasses.h"

namespace {

template <class R = rt::Object*, class... Args> R message(rt::Object* receiver, const char* name, Args... args)
{
    return rt::send<R>(receiver, rt::sel(name), args...);
}

// Runs the main run loop until the decoding queue has done everything asked of it so far: a
// marker queued behind that work posts to the main queue after every frame it delivered.
void waitForDecoding(rt::Object* image)
{
    auto* queue = static_cast<SerialQueue*>(message(image, "serialQueue"));
    if (!queue)
        return;
    bool done = false;
    queue->async([&done] { dispatchAsyncMain([&done] { done = true; }); });
    if (!RunLoop::main().runUntil([&] { return done; }, 60))
        std::abort();
}

void play(rt::Object* image)
{
    unsigned long count = message<unsigned long>(image, "frameCount");
    auto* delays = static_cast<NSDictionary*>(message(image, "delayTimesForIndexes"));
    if (!count || delays->count() > count)
        std::abort();
    for (unsigned long i = 0; i < count; ++i) {
        rt::AutoreleasePool pool;
        if (i == count / 2)
            NotificationCenter::defaultCenter().post(UIApplicationDidReceiveMemoryWarningNotification);
        message(image, "imageLazilyCachedAtIndex:", i);
        waitForDecoding(image);
        rt::Object* frame = message(image, "imageLazilyCachedAtIndex:", i);
        // A frame that decoded at creation has a delay; fetching it again must give it.
        if (delays->get(NSNumber::withInteger(long(i)).get()) && !frame)
            std::abort();
    }
}

}

// The library registers these classes as it loads; this target builds the model's sources in
// without the library's start-up, so it registers them itself.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    tamarind::registerGifClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    rt::AutoreleasePool pool;
    rt::Ref<rt::Object> image;
    {
        rt::AutoreleasePool creation;
        image = rt::send<rt::Object*>(
            rt::getClass("FLAnimatedImage"), SELECTOR("animatedImageWithGIFData:"), NSData::create(data, size));
    }
    if (image)
        play(image.get());
    return 0;
}
