// The entry reader over 1,000 entry files (half of them bundle panes with icons) beside a loop
// that only reads and parses the same files with libplist, and the root walk over a 300-row list.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <plist/plist.h>
#include <sys/stat.h>
#include <vector>

#include "PaneDevice.h"
#include "TimesReporter.h"
#include "Verdicts.h"
#include "host/foundation/String.h"
#include "host/platform/Device.h"
#include "host/preferences/PSUIPrefsListController.h"
#include "host/preferences/SettingsApp.h"
#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"
#include "tamarind/core/Settings.h"
#include "tamarind/regrouping/EntryReader.h"
#include "tamarind/startup/ReplacementTable.h"

namespace fs = std::filesystem;

namespace {

fs::path g_device;
std::vector<fs::path> g_entryFiles;
rt::Ref<rt::Object> g_rootPage;

void buildDevice()
{
    g_device = fs::temp_directory_path() / "tamarind-regrouping-bench";
    fs::remove_all(g_device);
    fs::create_directories(g_device);
    fs::path source = fs::path(TAM_SOURCE_DIR) / "devices/default";
    fs::copy(source / "System", g_device / "System", fs::copy_options::recursive);
    fs::path icon = source / "var/jb/Library/PreferenceBundles/AuroraPrefs.bundle/icon@3x.png";
    g_entryFiles = bench::writeTweakPanes(g_device, 1000, icon);
    nlohmann::json rows = nlohmann::json::array();
    rows.push_back({ { "id", "PRIMARY_APPLE_ACCOUNT_GROUP" }, { "cell", "PSGroupCell" } });
    rows.push_back({ { "id", "APPLE_ACCOUNT" }, { "name", "Account" } });
    for (int i = 0; i < 298; ++i)
        rows.push_back({ { "id", "com.example.app" + std::to_string(i) }, { "name", "App " + std::to_string(i) },
            { "cell", i % 20 == 0 ? "PSGroupCell" : "PSLinkCell" } });
    bench::writeTextFile(g_device / "device.json", nlohmann::json({ { "rootList", rows } }).dump());
    bench::ageFolders(g_device);
}

void setUp()
{
    buildDevice();
    std::string error;
    auto device = loadDevice(g_device, error);
    if (!device) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    setCurrentDevice(std::move(*device));
    settings::registerAppClasses();
    tamarind::firstPass.tweakEnabled = true;
    tamarind::firstPass.isCustomTableCellCustomizabilityEnabled = true;
    tamarind::firstPass.isFollowUpEnabled = true;
    tamarind::installGroup("first", tamarind::firstGroup());
    g_rootPage = rt::newObject(PSUIPrefsListController::classObject());
    rt::send<rt::Object*>(g_rootPage, SELECTOR("specifiers"));
}

void EntryReader(benchmark::State& state)
{
    for (auto _ : state) {
        rt::AutoreleasePool pool;
        benchmark::DoNotOptimize(tamarind::sortedTweakRows(nullptr));
    }
}

void parseFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    plist_t root = nullptr;
    plist_from_memory(bytes.data(), static_cast<uint32_t>(bytes.size()), &root);
    benchmark::DoNotOptimize(root);
    plist_free(root);
}

void ParseOnly(benchmark::State& state)
{
    for (auto _ : state)
        for (auto& file : g_entryFiles)
            parseFile(file);
}

bool present(const fs::path& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// What bounds the entry reader from below: the parse-only loop plus one look at the file system
// for each question the reader puts to the platform about an entry, without anything else (no
// objects, no resolution of links). A bundle pane: is the entry a folder, does the bundle exist,
// open the bundle, find its icon and read it. A plain pane: is the entry a folder, the two bundle
// folders it does not have, open the entries' folder as a bundle, and one look at that folder for
// each of the three scales of its icon.
void FileSystemFloor(benchmark::State& state)
{
    fs::path bundles = g_device / "var/jb/Library/PreferenceBundles";
    fs::path systemBundles = g_device / "var/jb/System/Library/PreferenceBundles";
    for (auto _ : state) {
        for (size_t i = 0; i < g_entryFiles.size(); ++i) {
            const fs::path& file = g_entryFiles[i];
            benchmark::DoNotOptimize(present(file));
            parseFile(file);
            if (i % 2 == 0) {
                fs::path bundle = bundles / ("B" + std::to_string(i) + ".bundle");
                for (int look = 0; look < 2; ++look)
                    benchmark::DoNotOptimize(present(bundle));
                benchmark::DoNotOptimize(present(bundle / "icon@3x.png"));
                std::ifstream icon(bundle / "icon@3x.png", std::ios::binary);
                std::string bytes((std::istreambuf_iterator<char>(icon)), {});
                benchmark::DoNotOptimize(bytes);
            } else {
                benchmark::DoNotOptimize(present(bundles / "(null).bundle"));
                benchmark::DoNotOptimize(present(systemBundles / "(null).bundle"));
                for (int look = 0; look < 4; ++look)
                    benchmark::DoNotOptimize(present(file.parent_path()));
            }
        }
    }
}

void RootWalk(benchmark::State& state)
{
    for (auto _ : state) {
        rt::AutoreleasePool pool;
        benchmark::DoNotOptimize(rt::send<rt::Object*>(g_rootPage, SELECTOR("specifiers")));
    }
}

BENCHMARK(EntryReader)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(FileSystemFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(RootWalk)->Unit(benchmark::kMicrosecond);

}

int main(int argc, char** argv)
{
    setUp();
    benchmark::Initialize(&argc, argv);
    bench::TimesReporter times(bench::Clock::Real);
    benchmark::RunSpecifiedBenchmarks(&times);
    std::printf("\n");
    bench::Verdicts verdicts("regrouping-bench");
    verdicts.atMost("entry reader / parse-only loop",
        bench::ratio(times.seconds("EntryReader"), times.seconds("ParseOnly")), 1.5, bench::kRatio);
    auto floor = times.seconds("FileSystemFloor");
    verdicts.watch("its floor (parse-only loop + one look per question it asks) / parse-only loop",
        bench::ratio(floor, times.seconds("ParseOnly")), bench::kRatio);
    verdicts.watch("entry reader / that floor", bench::ratio(times.seconds("EntryReader"), floor), bench::kRatio);
    verdicts.below("root walk over 300 rows", bench::scaled(times.seconds("RootWalk"), 1e6), 50, bench::kMicroseconds);
    fs::remove_all(g_device);
    return 0;
}
