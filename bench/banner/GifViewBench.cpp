// The animated image view playing a 320 x 100 banner of 0.1-second frames for ten simulated
// seconds, as the banner row does: how often the display link wakes the view (against the sixty a
// second of a link left at the screen's rate), and how much processor time (all threads, the
// decoding queue included) one second of playback costs (against 2% of one core, 20 ms).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <gif_lib.h>
#include <optional>
#include <vector>

#include "Verdicts.h"
#include "host/foundation/Data.h"
#include "host/foundation/RunLoop.h"
#include "host/runtime/Runtime.h"
#include "host/uikit/CADisplayLink.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UIWindow.h"
#include "tamarind/banner/GifClasses.h"

namespace {

constexpr int kWidth = 320, kHeight = 100, kFrames = 20, kDelayHundredths = 10;
constexpr double kSeconds = 10, kScreenRate = 60, kCpuBudget = 0.02;

int writeBytes(GifFileType* gif, const GifByteType* bytes, int length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + length);
    return length;
}

// Diagonal bands that move a little each frame, 0.1 s apiece, looping for ever.
std::vector<std::uint8_t> bannerAnimation()
{
    std::vector<std::uint8_t> bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, writeBytes, &error);
    GifColorType colors[256];
    for (int i = 0; i < 256; ++i)
        colors[i] = { GifByteType(i), GifByteType(255 - i), GifByteType(i * 7) };
    ColorMapObject* map = GifMakeMapObject(256, colors);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, kWidth, kHeight, 8, 0, map);
    const GifByteType loop[] = { 1, 0, 0 };
    EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
    EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0");
    EGifPutExtensionBlock(gif, 3, loop);
    EGifPutExtensionTrailer(gif);
    std::vector<GifPixelType> row(kWidth);
    for (int frame = 0; frame < kFrames; ++frame) {
        const GifByteType control[] = { 0, kDelayHundredths, 0, 0 };
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
        EGifPutImageDesc(gif, 0, 0, kWidth, kHeight, false, nullptr);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x)
                row[x] = GifPixelType((x + y + frame * 8) / 4 % 256);
            EGifPutLine(gif, row.data(), kWidth);
        }
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return bytes;
}

// The figures of the last run, for the verdicts.
std::optional<double> g_wakeups;
std::optional<double> g_cpuMillisecondsPerSecond;

double processSeconds()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

template <class R = rt::Object*, class... Args> R message(rt::Object* receiver, const char* name, Args... args)
{
    return rt::send<R>(receiver, rt::sel(name), args...);
}

void BannerPlayback(benchmark::State& state)
{
    tamarind::registerGifClasses();
    static const auto bytes = bannerAnimation();
    auto window = UIWindow::create(UIScreen::mainScreen()->bounds());
    window->makeKeyAndVisible();
    double wakeups = 0, cpu = 0;
    for (auto _ : state) {
        rt::AutoreleasePool pool;
        auto data = NSData::create(bytes.data(), bytes.size());
        rt::Ref<rt::Object> image = message(rt::getClass("FLAnimatedImage"), "animatedImageWithGIFData:", data.get());
        auto view = rt::newObject(rt::getClass("FLAnimatedImageView"));
        message<void>(view, "setFrame:", CGRectMake(0, 0, kWidth, kHeight));
        message<void>(view, "setAnimatedImage:", image.get());
        double start = processSeconds();
        message<void>(window, "addSubview:", view.get());
        RunLoop::main().advance(kSeconds);
        cpu += processSeconds() - start;
        auto* link = static_cast<CADisplayLink*>(message(view, "displayLink"));
        wakeups += double(link->fireCount());
        message<void>(view, "removeFromSuperview");
        RunLoop::main().runUntilIdle();
    }
    double runs = double(state.iterations());
    g_wakeups = wakeups / runs;
    g_cpuMillisecondsPerSecond = cpu / runs / kSeconds * 1000;
    state.counters["wakeups"] = wakeups / runs;
    state.counters["wakeups_vs_screen_rate"] = wakeups / runs / (kSeconds * kScreenRate);
    state.counters["cpu_ms_per_second"] = cpu / runs / kSeconds * 1000;
    state.counters["cpu_vs_2pct_budget"] = cpu / runs / kSeconds / kCpuBudget;
}
BENCHMARK(BannerPlayback)->Unit(benchmark::kMillisecond)->Iterations(5);

}

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n");
    bench::Verdicts verdicts("banner-view-bench");
    // The link is lowered to the 10 per second that 0.1-second frames need; a wake-up more or
    // less at either end of the ten seconds is not a fault.
    verdicts.within("wake-ups of the view in 10 s of 0.1-second frames (600 at the screen's rate)", g_wakeups, 90, 110,
        "about 100", bench::Unit { 1, "" });
    verdicts.atMost("processor time per second of playback, 320 × 100 banner (2% of one core)",
        g_cpuMillisecondsPerSecond, kCpuBudget * 1000, bench::kMilliseconds);
    return 0;
}
