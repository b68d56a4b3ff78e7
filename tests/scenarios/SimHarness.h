#pragma once

#include <array>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

// Runs tamarind-sim in its own process, one scenario per run, on devices the test builds.

struct SimResult {
    int exitCode { -1 }; // 128 + the signal when a signal ended the run
    bool signalled { false };
    // The harness stopped a run that went on too long or took too much memory.
    bool stopped { false };
    std::string out;
    std::string err;
    nlohmann::json json() const;
    // Every JSON line of the output (script dumps).
    std::vector<nlohmann::json> jsonLines() const;
};

// A run that goes on longer than this, or whose resident memory grows beyond this, is stopped
// and fails its test instead of holding up or starving the rest. The bounds are generous: they
// catch a loop without end, not a slow run under a sanitizer.
struct SimBounds {
    int seconds { 300 };
    long megabytes { 2048 };
};

SimResult runSim(const std::vector<std::string>& args, SimBounds = {});

// The simulator the scenarios drive: the one named by TAM_SIM in the environment, which a build
// folder sets to run its own simulator under this driver, or else the one built beside the driver.
std::string simProgram();
// Whether that simulator was built with a sanitizer (TAM_SIM_SANITIZER names it; unset, the one
// beside the driver is built as the driver is), which keeps the address-space limits of its renders off.
bool simIsSanitized();

// A file the library's package installs on every device the simulator runs, by its device path.
std::filesystem::path packageFile(const std::string& devicePath);

// While it lives, the simulator lays a copy of the package without the files at these device
// paths into the devices it runs, as if the package had not installed them.
class PackageWithout {
public:
    explicit PackageWithout(const std::vector<std::string>& devicePaths);
    ~PackageWithout();
    PackageWithout(const PackageWithout&) = delete;
    PackageWithout& operator=(const PackageWithout&) = delete;

private:
    std::filesystem::path m_folder;
};

// A device folder in a temporary directory, started as a copy of a shipped device (the default
// one unless named: "ios14", "ios15").
class TestDevice {
public:
    explicit TestDevice(const std::string& shipped = "default");
    ~TestDevice();
    TestDevice(const TestDevice&) = delete;
    TestDevice& operator=(const TestDevice&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The device path "/var/..." inside the folder.
    std::filesystem::path file(const std::string& devicePath) const;
    nlohmann::json& description() { return m_description; }

    // Writes the preferences domain as an XML property list of these values (bools, integers,
    // floats, strings, and binary values as data).
    void setPreferences(const nlohmann::json& values);
    void writeFile(const std::string& devicePath, const std::string& contents);
    void writePlist(const std::string& devicePath, const nlohmann::json& value);
    void symlink(const std::string& devicePath, const std::string& target);
    void remove(const std::string& devicePath);

    // Runs the simulator on this device (writing device.json first).
    SimResult run(const std::vector<std::string>& args, SimBounds = {});
    // Writes the steps to a file of the device and runs `script` on it, after the given options.
    SimResult runScript(const std::string& steps, std::vector<std::string> options = {});

private:
    std::filesystem::path m_path;
    nlohmann::json m_description;
};

// A rendered screenshot's pixels, read back as 8-bit RGBA.
struct Screenshot {
    unsigned width { 0 }, height { 0 };
    std::vector<unsigned char> rgba;
    // The pixel at a point of the screen (points, scaled by `scale`) as {r, g, b}.
    std::array<int, 3> at(double x, double y, double scale = 3) const;
    // The four bytes (straight alpha, as the file holds them) of the pixel at column x, row y.
    const unsigned char* pixel(size_t x, size_t y) const { return &rgba[(y * width + x) * 4]; }
};
std::optional<Screenshot> readScreenshot(const std::filesystem::path&);

// A file's whole contents; empty when it cannot be read.
std::string readText(const std::filesystem::path&);

// The folder PreferenceLoader reads its entries from, on the device.
inline const std::string kEntries = "/var/jb/Library/PreferenceLoader/Preferences";

// Runs the steps with these preferences, after the given options.
SimResult runSteps(TestDevice&, const nlohmann::json& prefs, const std::string& steps,
    std::vector<std::string> options = {});
// Every page a script run dumped, expecting the run to have succeeded.
std::vector<nlohmann::json> dumpsOf(const SimResult&);
// Runs the steps with these preferences, expecting the script to succeed; returns every dump.
std::vector<nlohmann::json> scriptDumps(
    TestDevice&, const nlohmann::json& prefs, const std::string& steps, std::vector<std::string> options = {});

// Dumps a page with these preferences (in the style given, or the simulator's own), expecting
// success.
nlohmann::json dumpPage(
    TestDevice&, const nlohmann::json& prefs, const std::string& page, const std::string& style = "");
// The root page dumped with these preferences, expecting success.
inline nlohmann::json dumpRoot(TestDevice& device, const nlohmann::json& prefs)
{
    return dumpPage(device, prefs, "root");
}
// The row of a dumped page with this identifier, or null; its section and its place in the
// section go to `section` and `index` when they are given.
const nlohmann::json* rowNamed(
    const nlohmann::json& page, const std::string& id, long* section = nullptr, long* index = nullptr);
// The cell that shows a row, found by the row's identifier on a dumped page; a failure of the
// test when the page has no such row.
nlohmann::json cellOf(const nlohmann::json& page, const std::string& id);

// What the device wrote to its system log before the page was dumped, one line after another.
std::string deviceLog(const nlohmann::json& page);

// The identifiers of every row of a dumped page, section by section.
std::vector<std::vector<std::string>> rowIDs(const nlohmann::json& page);
// All row identifiers of a dumped page in order.
std::vector<std::string> flatRowIDs(const nlohmann::json& page);
// Index of an identifier in a list, or -1.
long indexOf(const std::vector<std::string>&, const std::string&);
