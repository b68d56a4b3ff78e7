#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "host/foundation/Geometry.h"
#include "host/runtime/Runtime.h"
#include "unit/imageio/GifFixtures.h"

// Helpers for the GIF model's tests: animations built in memory, images created the way a client
// creates them (by message), and a log sink that records what the model says.

// An animation of `frames` full-screen frames of one colour each (Red, Green, Blue, White in
// turn), each with the given delay in hundredths of a second, or none at all.
TestGif solidAnimation(int frames, int width, int height, std::optional<int> delay = 10);

// A logical screen of width x height with `frames` frames of one pixel: a small file whose
// frames decode to the whole screen, for the cache-size rules that follow the decoded size.
TestGif bigScreenAnimation(int frames, int width, int height);

// +[FLAnimatedImage animatedImageWithGIFData:] or, with a size or predrawing given,
// -initWithAnimatedGIFData:optimalFrameCacheSize:predrawingEnabled:. Null for nil.
rt::Ref<rt::Object> createImage(const std::vector<std::uint8_t>& bytes);
rt::Ref<rt::Object> createImage(const std::vector<std::uint8_t>& bytes, unsigned long optimalSize, bool predrawing);

template <class R = rt::Object*, class... Args> R message(rt::Object* receiver, const char* name, Args... args)
{
    return rt::send<R>(receiver, rt::sel(name), args...);
}

class CGImage;
// The bitmap of a UIImage, asked for by message.
CGImage* cgImageOf(rt::Object* image);
// The frame at `index` as a player gets it: asked for until the model's queue has delivered it
// (30 seconds of the run loop at most); null if it never came.
rt::Ref<rt::Object> fetchFrame(rt::Object* image, unsigned long index);

// The indexes of an index set, in order.
std::vector<unsigned long> indexesOf(rt::Object* indexSet);
// The delay the model keeps for a frame, or nothing when it keeps none.
std::optional<double> delayOf(rt::Object* image, unsigned long index);

// Installs a sink for the GIF classes' messages up to `level` for its lifetime.
class GifLogRecorder {
public:
    explicit GifLogRecorder(unsigned long level = 5);
    ~GifLogRecorder();
    std::vector<std::string> messages() const;
    bool saw(const std::string& fragment) const;

private:
    struct Shared {
        mutable std::mutex lock;
        std::vector<std::string> messages;
    };
    std::shared_ptr<Shared> m_shared;
};
