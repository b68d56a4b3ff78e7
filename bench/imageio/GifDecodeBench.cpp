// Decoding every frame of a 480x270, 120-frame animation through the image source, beside
// giflib's own whole-file decode (DGifSlurp) followed by the plain compositing any GIF player
// must do: dispose of the previous frame, draw this one through its colour table and
// transparency, and hand out the screen's pixels as a bitmap of their own. The program prints
// the image source's time as a multiple of that anchor.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "BenchAnimation.h"
#include "TimesReporter.h"
#include "Verdicts.h"
#include "host/imageio/CGImageSource.h"

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 270;
constexpr int kFrames = 120;
// The animation the benchmarks decode, written once.
const Bytes& animation()
{
    static const Bytes bytes = spriteAnimation(kWidth, kHeight, kFrames);
    return bytes;
}

// The anchor: giflib decodes the whole file, then each frame is composited and copied out.
template <class Consumer> bool slurpAndComposite(Consumer&& consume)
{
    return giflibDecodeAndComposite(animation(), consume);
}

void GiflibSlurpAndComposite(benchmark::State& state)
{
    for (auto _ : state) {
        bool decoded
            = slurpAndComposite([](std::vector<std::uint8_t>&& frame) { benchmark::DoNotOptimize(frame.data()); });
        if (!decoded)
            state.SkipWithError("giflib could not decode the animation");
    }
}
BENCHMARK(GiflibSlurpAndComposite)->Unit(benchmark::kMillisecond);

void ImageSourceAllFrames(benchmark::State& state)
{
    for (auto _ : state) {
        auto source = CGImageSource::create(animation());
        // An image at an index decodes when its pixels are first read, so they are read here.
        for (std::size_t i = 0; i < source->count(); ++i) {
            auto image = source->createImageAtIndex(i);
            benchmark::DoNotOptimize(image->data());
        }
    }
}
BENCHMARK(ImageSourceAllFrames)->Unit(benchmark::kMillisecond);

// Reading the structure alone, which is all that creating a source costs.
void ImageSourceCreate(benchmark::State& state)
{
    for (auto _ : state) {
        auto source = CGImageSource::create(animation());
        benchmark::DoNotOptimize(source->count());
    }
}
BENCHMARK(ImageSourceCreate)->Unit(benchmark::kMicrosecond);

}

// Both sides must produce the same pictures, or the comparison means nothing.
bool sidesAgree()
{
    auto source = CGImageSource::create(animation());
    std::size_t index = 0;
    bool agree = source->count() == kFrames;
    slurpAndComposite([&](std::vector<std::uint8_t>&& frame) {
        auto image = source->createImageAtIndex(index++);
        agree = agree && image && image->dataLength() == frame.size()
            && !std::memcmp(image->data(), frame.data(), frame.size());
    });
    return agree && index == kFrames;
}

int main(int argc, char** argv)
{
    if (!sidesAgree()) {
        std::fprintf(stderr, "the image source and the giflib anchor disagree about the animation's pictures\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    bench::TimesReporter times(bench::Clock::Processor);
    benchmark::RunSpecifiedBenchmarks(&times);
    benchmark::Shutdown();
    std::printf("\nanimation: %dx%d, %d frames, %zu bytes\n", kWidth, kHeight, kFrames, animation().size());
    bench::Verdicts("imageio-bench")
        .atMost("image source / (giflib DGifSlurp + compositing), against the GIF model's target",
            bench::ratio(times.seconds("ImageSourceAllFrames"), times.seconds("GiflibSlurpAndComposite")), 1.25,
            bench::kRatio);
    return 0;
}
