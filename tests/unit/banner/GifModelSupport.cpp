#include "GifModelSupport.h"

#include "host/foundation/Data.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/IndexSet.h"
#include "host/foundation/Number.h"
#include "host/foundation/RunLoop.h"
#include "host/foundation/String.h"
#include "host/runtime/AutoreleasePool.h"
#include "tamarind/banner/GifClasses.h"

namespace {

rt::Class* imageClass()
{
    // The library registers its classes when it loads; asking again is harmless and keeps these
    // tests independent of the start-up order.
    tamarind::registerGifClasses();
    return rt::getClass("FLAnimatedImage");
}

}

TestGif solidAnimation(int frames, int width, int height, std::optional<int> delay)
{
    TestGif gif { width, height, kTestColors, std::nullopt, {} };
    for (int i = 0; i < frames; ++i) {
        TestFrame frame = solidFrame(0, 0, width, height, std::uint8_t(i % 4));
        frame.delay = delay;
        gif.frames.push_back(std::move(frame));
    }
    return gif;
}

TestGif bigScreenAnimation(int frames, int width, int height)
{
    TestGif gif { width, height, kTestColors, std::nullopt, {} };
    for (int i = 0; i < frames; ++i) {
        TestFrame frame = solidFrame(i, 0, 1, 1, std::uint8_t(i % 4));
        frame.delay = 10;
        gif.frames.push_back(std::move(frame));
    }
    return gif;
}

rt::Ref<rt::Object> createImage(const std::vector<std::uint8_t>& bytes)
{
    // The factory answers an autoreleased image; the pool lets go of it here, so that the test's
    // reference is the only one.
    rt::AutoreleasePool pool;
    return rt::send<rt::Object*>(imageClass(), SELECTOR("animatedImageWithGIFData:"), NSData::create(bytes));
}

rt::Ref<rt::Object> createImage(const std::vector<std::uint8_t>& bytes, unsigned long optimalSize, bool predrawing)
{
    rt::Object* allocated = rt::send<rt::Object*>(imageClass(), SELECTOR("alloc"));
    return rt::adopt(
        rt::send<rt::Object*>(allocated, SELECTOR("initWithAnimatedGIFData:optimalFrameCacheSize:predrawingEnabled:"),
            NSData::create(bytes), optimalSize, predrawing));
}

std::vector<unsigned long> indexesOf(rt::Object* indexSet)
{
    std::vector<unsigned long> out;
    if (isIndexSet(indexSet)) {
        static_cast<NSIndexSet*>(indexSet)->forEach([&](unsigned long i) {
            out.push_back(i);
            return true;
        });
    }
    return out;
}

std::optional<double> delayOf(rt::Object* image, unsigned long index)
{
    auto* delays = message(image, "delayTimesForIndexes");
    auto* delay = rt::send<rt::Object*>(delays, SELECTOR("objectForKey:"), NSNumber::withInteger(long(index)));
    if (!isNumber(delay))
        return std::nullopt;
    return static_cast<NSNumber*>(delay)->doubleValue();
}

GifLogRecorder::GifLogRecorder(unsigned long level)
    : m_shared(std::make_shared<Shared>())
{
    auto block = rt::makeBlock<void(rt::Object*, unsigned long)>([shared = m_shared](rt::Object* text, unsigned long) {
        std::lock_guard guard(shared->lock);
        shared->messages.push_back(toStdString(text));
    });
    rt::send(imageClass(), SELECTOR("setLogBlock:logLevel:"), block, level);
}

GifLogRecorder::~GifLogRecorder()
{
    rt::send(imageClass(), SELECTOR("setLogBlock:logLevel:"), static_cast<rt::BlockBase*>(nullptr), 0ul);
}

std::vector<std::string> GifLogRecorder::messages() const
{
    std::lock_guard guard(m_shared->lock);
    return m_shared->messages;
}

bool GifLogRecorder::saw(const std::string& fragment) const
{
    for (const auto& line : messages()) {
        if (line.find(fragment) != std::string::npos)
            return true;
    }
    return false;
}

CGImage* cgImageOf(rt::Object* image)
{
    return static_cast<CGImage*>(message(image, "CGImage"));
}

rt::Ref<rt::Object> fetchFrame(rt::Object* image, unsigned long index)
{
    rt::Ref<rt::Object> frame;
    RunLoop::main().runUntil(
        [&] {
            rt::AutoreleasePool pool;
            frame = message(image, "imageLazilyCachedAtIndex:", index);
            return bool(frame);
        },
        30);
    return frame;
}
