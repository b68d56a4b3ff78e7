// The animated image model, measured two ways.
//
// Decoding: every frame of a 480x270, 120-frame animation fetched in play order through the
// model (requested, decoded and predrawn on its queue, handed back on the main queue), beside the
// anchor: giflib's whole-file decode (DGifSlurp) followed by the compositing any player must do.
// Creating the model decodes every frame once as well, to find the poster and the frames that
// cannot be decoded; that cost is measured on its own.
//
// Memory: a 1000x1000, 26-frame animation (about 100 MB decoded), created and played through twice
// in a fresh process, whose peak resident size is compared with the file plus four decoded frames.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "BenchAnimation.h"
#include "host/foundation/Data.h"
#include "host/foundation/RunLoop.h"
#include "host/imageio/CGImage.h"
#include "host/runtime/Runtime.h"

extern char** environ;

namespace {

constexpr int kWidth = 480, kHeight = 270, kFrames = 120;
constexpr int kLargeSide = 1000, kLargeFrames = 26;

const Bytes& animation()
{
    static const Bytes bytes = spriteAnimation(kWidth, kHeight, kFrames);
    return bytes;
}

template <class R = rt::Object*, class... Args> R message(rt::Object* receiver, const char* name, Args... args)
{
    return rt::send<R>(receiver, rt::sel(name), args...);
}

rt::Ref<rt::Object> createModel(const Bytes& bytes)
{
    rt::AutoreleasePool pool;
    return rt::send<rt::Object*>(rt::getClass("FLAnimatedImage"), SELECTOR("animatedImageWithGIFData:"),
        NSData::create(bytes.data(), bytes.size()));
}

// The frame at `index` as a player gets it: asked for until the queue has delivered it.
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

void GiflibDecodeAndComposite(benchmark::State& state)
{
    for (auto _ : state) {
        if (!giflibDecodeAndComposite(
                animation(), [](std::vector<std::uint8_t>&& f) { benchmark::DoNotOptimize(f.data()); }))
            state.SkipWithError("giflib could not decode the animation");
    }
}
BENCHMARK(GiflibDecodeAndComposite)->Unit(benchmark::kMillisecond);

void ModelFetchEveryFrame(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto image = createModel(animation());
        state.ResumeTiming();
        for (unsigned long i = 0; i < kFrames; ++i) {
            auto frame = fetchFrame(image.get(), i);
            if (!frame)
                state.SkipWithError("a frame never arrived");
            benchmark::DoNotOptimize(frame.get());
        }
        state.PauseTiming();
        image = nullptr;
        state.ResumeTiming();
    }
}
BENCHMARK(ModelFetchEveryFrame)->Unit(benchmark::kMillisecond);

void ModelCreate(benchmark::State& state)
{
    for (auto _ : state) {
        auto image = createModel(animation());
        benchmark::DoNotOptimize(image.get());
    }
}
BENCHMARK(ModelCreate)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's CPU time per iteration for the ratios printed at the end: the median
// when repetitions give one, else the fastest run. Real time for the model, whose work is spread
// over the main thread and the decoding queue.
class Reporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
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

// Both sides must produce the same pictures, or the comparison means nothing.
bool sidesAgree()
{
    auto image = createModel(animation());
    if (!image || message<unsigned long>(image, "frameCount") != kFrames)
        return false;
    unsigned long index = 0;
    bool agree = true;
    bool decoded = giflibDecodeAndComposite(animation(), [&](std::vector<std::uint8_t>&& pixels) {
        auto frame = fetchFrame(image.get(), index++);
        auto* cg = static_cast<CGImage*>(message(frame, "CGImage"));
        agree = agree && cg && cg->dataLength() == pixels.size()
            && !std::memcmp(cg->data(), pixels.data(), pixels.size());
    });
    return decoded && agree && index == kFrames;
}

long peakResidentKilobytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The child: reads the file, creates the model and plays every frame twice, holding the frame on
// screen until the next one arrives, as the playback view does.
int playForMemory(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    long before = peakResidentKilobytes();
    auto image = createModel(bytes);
    if (!image)
        return 1;
    unsigned long frames = message<unsigned long>(image, "frameCount");
    rt::Ref<rt::Object> shown;
    for (int loop = 0; loop < 2; ++loop) {
        for (unsigned long i = 0; i < frames; ++i) {
            shown = fetchFrame(image.get(), i);
            if (!shown)
                return 1;
        }
    }
    std::printf("%ld %ld %lu %lu\n", before, peakResidentKilobytes(),
        message<unsigned long>(image, "frameCacheSizeOptimal"), frames);
    return 0;
}

void measureMemory(const char* self)
{
    Bytes bytes = fullFrameAnimation(kLargeSide, kLargeSide, kLargeFrames);
    char path[] = "/tmp/banner-bench-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size()))
        return (void)std::fprintf(stderr, "cannot write the large animation\n");
    close(fd);
    int pipes[2];
    if (pipe(pipes))
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipes[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipes[0]);
    char flag[] = "--play-for-memory";
    char* argv[] = { const_cast<char*>(self), flag, path, nullptr };
    pid_t child = 0;
    bool spawned = !posix_spawn(&child, self, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipes[1]);
    char output[256] = {};
    ssize_t length = spawned ? read(pipes[0], output, sizeof output - 1) : -1;
    close(pipes[0]);
    int status = 0;
    if (spawned)
        waitpid(child, &status, 0);
    unlink(path);
    long before = 0, peak = 0;
    unsigned long cacheSize = 0, frames = 0;
    if (length <= 0 || std::sscanf(output, "%ld %ld %lu %lu", &before, &peak, &cacheSize, &frames) != 4)
        return (void)std::fprintf(stderr, "the memory measurement failed\n");
    double frameMB = double(kLargeSide) * kLargeSide * 4 / 1048576, fileMB = double(bytes.size()) / 1048576;
    double targetMB = fileMB + 4 * frameMB;
    std::printf("\nlarge animation: %dx%d, %lu frames, %.1f MB decoded, file %.2f MB, cache size chosen %lu\n",
        kLargeSide, kLargeSide, frames, frameMB * double(frames), fileMB, cacheSize);
    std::printf("peak resident size: %.1f MB (%.1f MB before the model was created, %.1f MB added by it)\n",
        double(peak) / 1024, double(before) / 1024, double(peak - before) / 1024);
    std::printf(
        "target: file + 4 decoded frames = %.1f MB; added by the model / target: %.2f; whole process / target: %.2f\n",
        targetMB, double(peak - before) / 1024 / targetMB, double(peak) / 1024 / targetMB);
}

}

int main(int argc, char** argv)
{
    if (argc == 3 && !std::strcmp(argv[1], "--play-for-memory"))
        return playForMemory(argv[2]);
    if (!sidesAgree()) {
        std::fprintf(stderr, "the model and the giflib anchor disagree about the animation's pictures\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    double anchor = reporter.seconds("GiflibDecodeAndComposite");
    double fetch = reporter.seconds("ModelFetchEveryFrame");
    double create = reporter.seconds("ModelCreate");
    std::printf("\nanimation: %dx%d, %d frames, %zu bytes\n", kWidth, kHeight, kFrames, animation().size());
    if (anchor > 0 && fetch > 0)
        std::printf(
            "model, every frame fetched and predrawn / (giflib DGifSlurp + compositing): %.2f (target <= 1.25)\n",
            fetch / anchor);
    if (anchor > 0 && create > 0)
        std::printf(
            "model creation (every frame decoded once) / (giflib DGifSlurp + compositing): %.2f\n", create / anchor);
    measureMemory("/proc/self/exe");
    return 0;
}
