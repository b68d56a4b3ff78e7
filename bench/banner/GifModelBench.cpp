// The animated image model, measured two ways.
//
// Decoding: every frame of a 480x270, 120-frame animation fetched in play order through the
// model (requested, decoded and predrawn on its queue, handed back on the main queue), beside the
// anchor: giflib's whole-file decode (DGifSlurp) followed by the compositing any player must do.
// Creating the model reads the file's structure and each frame's first row; that cost is
// measured on its own.
//
// Memory: a 1000x1000, 26-frame animation (about 100 MB decoded), created and played through twice
// in a fresh process, whose peak resident size is compared with the file plus four decoded frames.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "BenchAnimation.h"
#include "GifModelSupport.h"
#include "TimesReporter.h"
#include "Verdicts.h"
#include "host/foundation/Data.h"
#include "host/imageio/CGImage.h"
#include "host/runtime/Runtime.h"
#include "tamarind/banner/GifClasses.h"

extern char** environ;

namespace {

constexpr int kWidth = 480, kHeight = 270, kFrames = 120;
constexpr int kLargeSide = 1000, kLargeFrames = 26;

const Bytes& animation()
{
    static const Bytes bytes = spriteAnimation(kWidth, kHeight, kFrames);
    return bytes;
}


rt::Ref<rt::Object> createModel(rt::Ref<NSData> data, bool predrawing = true)
{
    rt::Object* allocated = rt::send<rt::Object*>(rt::getClass("FLAnimatedImage"), SELECTOR("alloc"));
    return rt::adopt(rt::send<rt::Object*>(allocated,
        SELECTOR("initWithAnimatedGIFData:optimalFrameCacheSize:predrawingEnabled:"), data, 0ul, predrawing));
}

rt::Ref<rt::Object> createModel(const Bytes& bytes, bool predrawing = true)
{
    return createModel(NSData::create(bytes.data(), bytes.size()), predrawing);
}

void GiflibDecodeAndComposite(benchmark::State& state)
{
    for (auto _ : state) {
        if (!giflibDecodeAndComposite(
                animation(), [](std::vector<std::uint8_t>&& f) { benchmark::DoNotOptimize(f.data()); }))
            state.SkipWithError("giflib could not decode the animation");
    }
}
BENCHMARK(GiflibDecodeAndComposite)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every frame in play order, as a player asks for them; the argument turns predrawing on.
void ModelFetchEveryFrame(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto image = createModel(animation(), state.range(0));
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
BENCHMARK(ModelFetchEveryFrame)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void ModelCreate(benchmark::State& state)
{
    for (auto _ : state) {
        auto image = createModel(animation());
        benchmark::DoNotOptimize(image.get());
    }
}
BENCHMARK(ModelCreate)->Unit(benchmark::kMillisecond)->UseRealTime();

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
        CGImage* cg = frame ? cgImageOf(frame.get()) : nullptr;
        agree = agree && cg && cg->dataLength() == pixels.size()
            && !std::memcmp(cg->data(), pixels.data(), pixels.size());
    });
    return decoded && agree && index == kFrames;
}

// The peak resident size of this process's address space. ru_maxrss would be the natural
// reading, but Linux carries it across exec from the address space that spawned us (posix_spawn
// shares the parent's until exec), so it would report the benchmarks' peak; VmHWM starts afresh
// with the program. ru_maxrss is the fallback where /proc is missing.
long peakResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The child: reads the file, creates the model and plays every frame twice, holding the frame on
// screen until the next one arrives, as the playback view does. Prints the peak resident size of
// the process as it started, once it had read the file, and at the end, in kilobytes.
int playForMemory(const char* path)
{
    long started = peakResidentKilobytes();
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::vector<std::uint8_t> bytes(std::size_t(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    auto data = NSData::create(std::move(bytes));
    long read = peakResidentKilobytes();
    auto image = createModel(data);
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
    std::printf("%ld %ld %ld %lu %lu\n", started, read, peakResidentKilobytes(),
        message<unsigned long>(image, "frameCacheSizeOptimal"), frames);
    return 0;
}

// What the child reported of its peak memory, in kilobytes, and of the animation it played.
struct MemoryFigures {
    long started { 0 }, read { 0 }, peak { 0 };
    unsigned long cacheSize { 0 }, frames { 0 };
    std::size_t fileBytes { 0 };
};

std::optional<MemoryFigures> g_memory;

std::optional<MemoryFigures> measureMemory(const char* self)
{
    Bytes bytes = fullFrameAnimation(kLargeSide, kLargeSide, kLargeFrames);
    char path[] = "/tmp/banner-bench-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size())) {
        std::fprintf(stderr, "cannot write the large animation\n");
        return std::nullopt;
    }
    close(fd);
    int pipes[2];
    if (pipe(pipes))
        return std::nullopt;
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
    MemoryFigures m;
    m.fileBytes = bytes.size();
    if (length <= 0
        || std::sscanf(output, "%ld %ld %ld %lu %lu", &m.started, &m.read, &m.peak, &m.cacheSize, &m.frames) != 5)
        return std::nullopt;
    return m;
}

// A fresh process for each measurement, so that the peak is the animation's and not the other
// benchmarks'. A benchmark of its own, so that a filter can leave it out.
void PeakMemoryPlayedTwice(benchmark::State& state)
{
    for (auto _ : state) {
        g_memory = measureMemory("/proc/self/exe");
        if (!g_memory)
            state.SkipWithError("the memory measurement failed");
    }
}
BENCHMARK(PeakMemoryPlayedTwice)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Prints what the child measured; returns its peak above the program itself as a multiple of
// the file plus four decoded frames.
std::optional<double> reportMemory()
{
    if (!g_memory)
        return std::nullopt;
    const MemoryFigures& m = *g_memory;
    double frameMB = double(kLargeSide) * kLargeSide * 4 / 1048576, fileMB = double(m.fileBytes) / 1048576;
    double targetMB = fileMB + 4 * frameMB;
    double addedMB = double(m.peak - m.started) / 1024;
    std::printf("\nlarge animation: %dx%d, %lu frames, %.1f MB decoded, file %.2f MB, cache size chosen %lu\n",
        kLargeSide, kLargeSide, m.frames, frameMB * double(m.frames), fileMB, m.cacheSize);
    std::printf("peak resident size: %.1f MB; %.1f MB for the program itself, %.1f MB once it had read the file\n",
        double(m.peak) / 1024, double(m.started) / 1024, double(m.read) / 1024);
    std::printf("peak above the program itself: %.1f MB = %.2f decoded frames + the file; target: file + 4 frames "
                "= %.1f MB; ratio %.2f (whole process: %.2f)\n",
        addedMB, (addedMB - fileMB) / frameMB, targetMB, addedMB / targetMB, double(m.peak) / 1024 / targetMB);
    return addedMB / targetMB;
}

}

int main(int argc, char** argv)
{
    // The library registers its classes as it loads; calling it also keeps the linker from
    // dropping a library the program otherwise reaches only by message.
    tamarind::registerGifClasses();
    if (argc == 3 && !std::strcmp(argv[1], "--play-for-memory"))
        return playForMemory(argv[2]);
    if (!sidesAgree()) {
        std::fprintf(stderr, "the model and the giflib anchor disagree about the animation's pictures\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    // Wall-clock time on every side, because the model's work is spread over the main thread and
    // its decoding queue.
    bench::TimesReporter times(bench::Clock::Real);
    benchmark::RunSpecifiedBenchmarks(&times);
    benchmark::Shutdown();
    auto anchor = times.seconds("GiflibDecodeAndComposite");
    auto fetchUndrawn = bench::ratio(times.seconds("ModelFetchEveryFrame/0"), anchor);
    auto create = bench::ratio(times.seconds("ModelCreate"), anchor);
    std::printf("\nanimation: %dx%d, %d frames, %zu bytes\n", kWidth, kHeight, kFrames, animation().size());
    if (fetchUndrawn)
        std::printf(
            "the same without predrawing (frames handed out undecoded, composited when first drawn) / anchor: %.2f\n",
            *fetchUndrawn);
    if (create)
        std::printf(
            "model creation (structure and first rows read) / (giflib DGifSlurp + compositing): %.2f\n", *create);
    auto memory = reportMemory();
    std::printf("\n");
    bench::Verdicts verdicts("banner-bench");
    verdicts.atMost("model, every frame fetched and predrawn / (giflib DGifSlurp + compositing)",
        bench::ratio(times.seconds("ModelFetchEveryFrame/1"), anchor), 1.25, bench::kRatio);
    verdicts.atMost("peak memory above the program itself, 1000 × 1000 × 26 GIF played twice / (file + 4 frames)",
        memory, 1.0, bench::kRatio);
    return 0;
}
