// The entry reader over 1,000 entry files (half of them bundle panes with icons) beside a loop
// that only reads and parses the same files with libplist, and the root walk over a 300-row list.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <plist/plist.h>
#include <sys/stat.h>
#include <vector>

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

void writeText(const fs::path& p, const std::string& text)
{
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

std::string entryPlist(int i, bool bundle)
{
    std::string label = "Tweak " + std::to_string(i);
    std::string entry = "<key>label</key><string>" + label + "</string><key>cell</key><string>PSLinkCell</string>";
    if (bundle)
        entry += "<key>bundle</key><string>B" + std::to_string(i) + "</string><key>detail</key><string>RLC" + std::to_string(i)
            + "</string><key>icon</key><string>icon.png</string>";
    else
        entry += "<key>icon</key><string>none.png</string>";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict><key>entry</key><dict>" + entry
        + "</dict><key>items</key><array/></dict></plist>";
}

// The folders of a device in use were last changed long ago; a folder changed a moment ago is
// one the platform cannot yet trust what it listed of.
void ageFolders(const fs::path& root)
{
    auto anHourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    fs::last_write_time(root, anHourAgo);
    for (auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_directory())
            fs::last_write_time(entry.path(), anHourAgo);
}

void buildDevice()
{
    g_device = fs::temp_directory_path() / "tamarind-regrouping-bench";
    fs::remove_all(g_device);
    fs::create_directories(g_device);
    fs::path source = fs::path(TAM_SOURCE_DIR) / "devices/default";
    fs::copy(source / "System", g_device / "System", fs::copy_options::recursive);
    fs::path icon = source / "var/jb/Library/PreferenceBundles/AuroraPrefs.bundle/icon@3x.png";
    fs::path entries = g_device / "var/jb/Library/PreferenceLoader/Preferences";
    for (int i = 0; i < 1000; ++i) {
        bool bundle = i % 2 == 0;
        fs::path file = entries / ("folder" + std::to_string(i % 10)) / ("Tweak" + std::to_string(i) + ".plist");
        writeText(file, entryPlist(i, bundle));
        g_entryFiles.push_back(file);
        if (bundle) {
            fs::path b = g_device / "var/jb/Library/PreferenceBundles" / ("B" + std::to_string(i) + ".bundle");
            fs::create_directories(b);
            fs::copy_file(icon, b / "icon@3x.png");
        }
    }
    nlohmann::json rows = nlohmann::json::array();
    rows.push_back({ { "id", "PRIMARY_APPLE_ACCOUNT_GROUP" }, { "cell", "PSGroupCell" } });
    rows.push_back({ { "id", "APPLE_ACCOUNT" }, { "name", "Account" } });
    for (int i = 0; i < 298; ++i)
        rows.push_back({ { "id", "com.example.app" + std::to_string(i) }, { "name", "App " + std::to_string(i) },
            { "cell", i % 20 == 0 ? "PSGroupCell" : "PSLinkCell" } });
    writeText(g_device / "device.json", nlohmann::json({ { "rootList", rows } }).dump());
    ageFolders(g_device);
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
// objects, no resolution of links). A bundle pane: is the entry a folder, does the bundle exist
// (twice), open the bundle, find its icon and read it. A plain pane: is the entry a folder, the
// two bundle folders it does not have and the check of the second again, open the entries'
// folder as a bundle, and one look at that folder for each of the three scales of its icon.
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
                for (int look = 0; look < 3; ++look)
                    benchmark::DoNotOptimize(present(bundle));
                benchmark::DoNotOptimize(present(bundle / "icon@3x.png"));
                std::ifstream icon(bundle / "icon@3x.png", std::ios::binary);
                std::string bytes((std::istreambuf_iterator<char>(icon)), {});
                benchmark::DoNotOptimize(bytes);
            } else {
                benchmark::DoNotOptimize(present(bundles / "(null).bundle"));
                benchmark::DoNotOptimize(present(systemBundles / "(null).bundle"));
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

class Ratios : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (auto& run : runs)
            m_times[run.benchmark_name()] = run.GetAdjustedRealTime() * (run.time_unit == benchmark::kMillisecond ? 1000 : 1);
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        double reader = m_times["EntryReader"], parse = m_times["ParseOnly"];
        double floor = m_times["FileSystemFloor"];
        std::printf("\nentry reader / parse-only loop: %.2fx (target: at most 1.5x)\n", parse > 0 ? reader / parse : 0);
        std::printf("its floor, the parse-only loop and one look per question the reader asks / parse-only loop: %.2fx\n",
            parse > 0 ? floor / parse : 0);
        std::printf("entry reader / that floor: %.2fx\n", floor > 0 ? reader / floor : 0);
        std::printf("root walk over 300 rows: %.1f us (target: under 50 us)\n", m_times["RootWalk"]);
    }

private:
    std::map<std::string, double> m_times;
};

}

int main(int argc, char** argv)
{
    setUp();
    benchmark::Initialize(&argc, argv);
    Ratios reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    fs::remove_all(g_device);
    return 0;
}
