// The Tweaks page opened to its first frame on a device with 1,000 tweak panes (500 bundle panes
// with icons, 500 plain), beside the same page on a device with none: the page pushed from the
// root list as a tap on its row pushes it, then the window drawn once at the device's scale, as
// the simulator draws a page it is asked to render. The ratio says what the panes cost that
// first frame; it has no target and is printed as a figure to watch.
//
// Settings runs once per process, as on a phone (the library rebuilds the root list once per
// process), so each device gets a process of its own: this program builds both devices, runs
// itself on each with the arguments it was given and reads what each run wrote.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "Navigator.h"
#include "PaneDevice.h"
#include "Verdicts.h"
#include "host/foundation/RunLoop.h"
#include "host/imageio/CGImage.h"
#include "host/platform/Device.h"
#include "host/preferences/SettingsApp.h"
#include "host/runtime/Runtime.h"
#include "host/uikit/UIWindow.h"
#include "host/uikit/WindowRenderer.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr int kPanes = 1000;
constexpr long kLightStyle = 1;
constexpr double kSettleSeconds = 1.0;
constexpr const char* kDeviceFlag = "--tweaks-page-device";

Navigator g_navigator;

// A copy of the default device whose PreferenceLoader entries are `panes` generated ones.
fs::path makeDevice(const fs::path& folder, int panes)
{
    fs::path source = fs::path(TAM_SOURCE_DIR) / "devices/default";
    fs::path device = folder / ("panes-" + std::to_string(panes));
    fs::copy(source, device, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    fs::remove_all(bench::entriesFolder(device));
    fs::create_directories(bench::entriesFolder(device));
    bench::writeTweakPanes(device, panes, source / "var/jb/Library/PreferenceBundles/AuroraPrefs.bundle/icon@3x.png");
    bench::ageFolders(device);
    return device;
}

// Opens the Tweaks page and draws its first frame; null when the page could not be opened.
rt::Ref<CGImage> openTweaksPage(std::string& error)
{
    if (!g_navigator.open("tweaks", error))
        return nullptr;
    RunLoop::main().runUntilIdle();
    return renderWindowToImage(static_cast<UIWindow*>(settings::window()));
}

unsigned long rowsOnTopPage()
{
    rt::Object* rows = rt::send<rt::Object*>(g_navigator.topPage(), SELECTOR("specifiers"));
    return rows ? rt::send<unsigned long>(rows, SELECTOR("count")) : 0;
}

void TweaksPageFirstFrame(benchmark::State& state)
{
    std::string error;
    for (auto _ : state) {
        {
            rt::AutoreleasePool pool;
            auto frame = openTweaksPage(error);
            if (!frame) {
                state.SkipWithError(error.c_str());
                break;
            }
            benchmark::DoNotOptimize(frame.get());
        }
        // Going back frees the page and its rows, which is no part of opening the next one.
        state.PauseTiming();
        g_navigator.back();
        state.ResumeTiming();
    }
}

// Loads the device and the library as the simulator does, launches Settings and checks that the
// Tweaks page lists every pane, so that a set-up gone wrong shows as an error, not as a figure.
bool launchOn(const fs::path& folder, int panes, std::string& error)
{
    auto device = loadDevice(folder, error);
    if (!device)
        return false;
    setCurrentDevice(std::move(*device));
    settings::registerAppClasses();
    if (!dlopen(TAM_LIBRARY_PATH, RTLD_NOW | RTLD_GLOBAL)) {
        error = std::string("cannot load the Tamarind library: ") + dlerror();
        return false;
    }
    g_navigator.launch(kLightStyle, kSettleSeconds);
    rt::AutoreleasePool pool;
    if (!openTweaksPage(error))
        return false;
    unsigned long rows = rowsOnTopPage();
    g_navigator.back();
    if (rows != static_cast<unsigned long>(panes)) {
        error = "the Tweaks page lists " + std::to_string(rows) + " rows on the device with " + std::to_string(panes)
            + " panes";
        return false;
    }
    return true;
}

// The run on one device: `argv` is this program, the flag, the device folder, its number of
// panes and then Google Benchmark's arguments.
int runOnDevice(int argc, char** argv)
{
    std::string error;
    int panes = std::atoi(argv[3]);
    if (!launchOn(argv[2], panes, error)) {
        std::fprintf(stderr, "tweakspage-bench: %s\n", error.c_str());
        return 1;
    }
    benchmark::RegisterBenchmark("TweaksPageFirstFrame", TweaksPageFirstFrame)
        ->Arg(panes)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    argv[3] = argv[0];
    int count = argc - 3;
    benchmark::Initialize(&count, argv + 3);
    if (benchmark::ReportUnrecognizedArguments(count, argv + 3))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Milliseconds per opening as the run on a device wrote them: the median when repetitions give
// one, else the fastest run; nothing when the benchmark was filtered out or failed.
std::optional<double> millisecondsIn(const fs::path& results)
{
    std::ifstream in(results);
    auto json = nlohmann::json::parse(in, nullptr, false);
    if (!json.is_object() || !json["benchmarks"].is_array())
        return std::nullopt;
    std::optional<double> median, fastest;
    for (auto& run : json["benchmarks"]) {
        if (run.value("error_occurred", false) || run.value("time_unit", "") != "ms")
            continue;
        double ms = run.value("real_time", 0.0);
        if (run.value("run_type", "") == "aggregate" && run.value("aggregate_name", "") == "median")
            median = ms;
        else if (run.value("run_type", "") == "iteration" && (!fastest || ms < *fastest))
            fastest = ms;
    }
    return median ? median : fastest;
}

// Runs this program on the device and returns what it measured; false when the run failed.
bool measureOn(const fs::path& device, int panes, int argc, char** argv, std::optional<double>& ms)
{
    fs::path results = device.parent_path() / ("results-" + std::to_string(panes) + ".json");
    std::string self = "/proc/self/exe", folder = device.string(), count = std::to_string(panes);
    std::string out = "--benchmark_out=" + results.string(), format = "--benchmark_out_format=json";
    std::vector<char*> args { argv[0], const_cast<char*>(kDeviceFlag), folder.data(), count.data() };
    args.insert(args.end(), argv + 1, argv + argc);
    args.push_back(out.data());
    args.push_back(format.data());
    args.push_back(nullptr);
    pid_t child = 0;
    int status = 0;
    if (posix_spawn(&child, self.c_str(), nullptr, nullptr, args.data(), environ) || waitpid(child, &status, 0) < 0
        || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    ms = millisecondsIn(results);
    return true;
}

}

int main(int argc, char** argv)
{
    if (argc >= 4 && !std::strcmp(argv[1], kDeviceFlag))
        return runOnDevice(argc, argv);
    fs::path folder = fs::temp_directory_path() / "tamarind-tweakspage-bench";
    std::optional<double> many, none;
    bool measured = false;
    try {
        fs::remove_all(folder);
        fs::create_directories(folder);
        measured = measureOn(makeDevice(folder, kPanes), kPanes, argc, argv, many)
            && measureOn(makeDevice(folder, 0), 0, argc, argv, none);
        fs::remove_all(folder);
    } catch (const fs::filesystem_error& e) {
        std::fprintf(stderr, "tweakspage-bench: cannot write the devices: %s\n", e.what());
        return 1;
    }
    if (!measured) {
        std::fprintf(stderr, "tweakspage-bench: the run on one of the devices failed\n");
        return 1;
    }
    std::printf("\n");
    if (many && none)
        std::printf("Tweaks page to its first frame: %.2f ms with 1,000 panes, %.2f ms with none\n", *many, *none);
    bench::Verdicts("tweakspage-bench")
        .watch("Tweaks page to its first frame, 1,000 panes / none",
            many && none && *none > 0 ? std::optional(*many / *none) : std::nullopt, bench::kRatio);
    return 0;
}
