// Decoding every frame of a 480x270, 120-frame animation through the image source, beside
// giflib's own whole-file decode (DGifSlurp) followed by the plain compositing any GIF player
// must do: dispose of the previous frame, draw this one through its colour table and
// transparency, and hand out the screen's pixels as a bitmap of their own. The program prints
// the image source's time as a multiple of that anchor.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>


#include "BenchAnimation.h"
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
        for (std::size_t i = 0; i < source->count(); ++i) {
            auto image = source->createImageAtIndex(i);
            benchmark::DoNotOptimize(image.get());
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

// Keeps each benchmark's CPU time per iteration for the ratio printed at the end: the median
// when repetitions give one, else the fastest run.
class Reporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            double seconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                m_medians[name] = seconds;
            else if (run.run_type == Run::RT_Iteration && (!m_fastest.count(name) || seconds < m_fastest[name]))
                m_fastest[name] = seconds;
        }
    }
    double seconds(const std::string& name) const
    {
        if (auto it = m_medians.find(name); it != m_medians.end())
            return it->second;
        auto it = m_fastest.find(name);
        return it == m_fastest.end() ? 0 : it->second;
    }

private:
    std::map<std::string, double> m_medians;
    std::map<std::string, double> m_fastest;
};

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
    Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    double anchor = reporter.seconds("GiflibSlurpAndComposite");
    double source = reporter.seconds("ImageSourceAllFrames");
    std::printf("\nanimation: %dx%d, %d frames, %zu bytes\n", kWidth, kHeight, kFrames, animation().size());
    if (anchor > 0 && source > 0) {
        std::printf("image source / (giflib DGifSlurp + compositing): %.2f (target for the GIF model: <= 1.25)\n",
            source / anchor);
    }
    return 0;
}
