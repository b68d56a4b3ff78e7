#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "SamplePage.h"
#include "TimesReporter.h"
#include "Verdicts.h"
#include "host/render/Canvas.h"
#include "host/uikit/UINavigationController.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UITableView.h"
#include "host/uikit/UIWindow.h"
#include "host/uikit/WindowRenderer.h"

// What a person waits for when a page is shown: the window's tree drawn into a bitmap at the
// device's scale. The anchor fills the same bitmap once, the least any drawing costs; the page
// is also timed with the PNG written out, and after a scroll, which re-lays the table out.

namespace {

// The default device is a 390 x 844 phone at scale 3.
constexpr double kTargetMilliseconds = 100;

SamplePage& page()
{
    static SamplePage sample = [] {
        rt::AutoreleasePool pool;
        return makeSamplePage(sampleSections(40), 1);
    }();
    return sample;
}

void FillScreen(benchmark::State& state)
{
    CGRect bounds = UIScreen::mainScreen()->bounds();
    for (auto _ : state) {
        auto canvas = BitmapCanvas::create(bounds.size, 3);
        canvas->fill(Path::rect(bounds), { 0.95, 0.95, 0.97, 1 });
        benchmark::DoNotOptimize(canvas.get());
    }
}

void RenderRootPage(benchmark::State& state)
{
    UIWindow* window = page().window.get();
    for (auto _ : state) {
        rt::AutoreleasePool pool;
        auto canvas = BitmapCanvas::create(window->bounds().size, 3);
        WindowRenderer(*canvas).renderWindow(window);
        benchmark::DoNotOptimize(canvas.get());
    }
}

void RenderRootPageAfterScroll(benchmark::State& state)
{
    UIWindow* window = page().window.get();
    UITableView* table = page().table;
    double offsets[] = { 400, -table->adjustedContentInset().top };
    int turn = 0;
    for (auto _ : state) {
        rt::AutoreleasePool pool;
        rt::send(table, SELECTOR("setContentOffset:"), CGPoint { 0, offsets[turn++ % 2] });
        auto canvas = BitmapCanvas::create(window->bounds().size, 3);
        WindowRenderer(*canvas).renderWindow(window);
        benchmark::DoNotOptimize(canvas.get());
    }
}

void RenderRootPageToPNG(benchmark::State& state)
{
    UIWindow* window = page().window.get();
    auto path = std::filesystem::temp_directory_path() / "render-bench.png";
    std::string error;
    for (auto _ : state) {
        rt::AutoreleasePool pool;
        if (!renderWindowToPNG(window, path, error))
            state.SkipWithError(error.c_str());
    }
}

}

BENCHMARK(FillScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderRootPage)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderRootPageAfterScroll)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderRootPageToPNG)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    bench::TimesReporter times(bench::Clock::Real);
    benchmark::RunSpecifiedBenchmarks(&times);
    auto anchor = bench::scaled(times.seconds("FillScreen"), 1e3);
    std::printf("\n%-28s %10s %10s\n", "render (scale 3, 40 rows)", "ms", "x fill");
    for (const char* name : { "RenderRootPage", "RenderRootPageAfterScroll", "RenderRootPageToPNG" }) {
        if (auto ms = bench::scaled(times.seconds(name), 1e3))
            std::printf("%-28s %10.2f %10.1f\n", name, *ms, anchor ? *ms / *anchor : 0);
    }
    std::printf("\n");
    bench::Verdicts verdicts("render-bench");
    for (const char* name : { "RenderRootPage", "RenderRootPageAfterScroll" })
        verdicts.below(std::string("render (scale 3, 40 rows): ") + name, bench::scaled(times.seconds(name), 1e3),
            kTargetMilliseconds, bench::kMilliseconds);
    benchmark::Shutdown();
    return 0;
}
