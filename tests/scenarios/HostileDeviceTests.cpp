#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>

#include "SimHarness.h"

// Devices made to hurt: links out of the device and in circles, files too large or too deep,
// rows that contradict the walk, names that are not text. Whatever the device holds, a run ends
// by itself with status 0, or with status 1 and one line saying why; never with a signal.

namespace fs = std::filesystem;
using nlohmann::json;
using Ids = std::vector<std::string>;

namespace {

const std::string kDomain = "/var/mobile/Library/Preferences/com.corvane.sorrelpreferences.plist";

struct HostileCase {
    const char* name;
    std::function<void(TestDevice&)> prepare;
    std::vector<std::string> args;
    int exitCode;
    // Part of the one line of a failing run; for a run that succeeds, a row the page must show
    // (or must not show, when it starts with "!").
    std::string says;
};

std::string entryPlist(const std::string& label)
{
    return "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>entry</key><dict><key>label</key><string>" + label
        + "</string></dict></dict></plist>";
}

// A file beside the device folder, where a link that escaped the device would find it.
fs::path outside(TestDevice& device, const std::string& name, const std::string& contents)
{
    fs::path path = device.path().parent_path() / name;
    std::ofstream(path, std::ios::binary) << contents;
    return path;
}

json& row(TestDevice& device, const std::string& id)
{
    for (auto& r : device.description()["rootList"])
        if (r.value("id", "") == id)
            return r;
    throw std::runtime_error("no row " + id);
}

// Rows placed after the account rows, where no module moves them away.
void insertRows(TestDevice& device, const std::vector<json>& rows)
{
    auto& list = device.description()["rootList"];
    for (size_t i = 0; i < rows.size(); ++i)
        list.insert(list.begin() + 3 + static_cast<long>(i), rows[i]);
}

// dict { "loop": A } where A is an array whose only element is A itself: the object table
// refers back to the object that holds the reference.
std::string binaryPlistWithCycle()
{
    std::string bytes = "bplist00";
    bytes += std::string("\xD1\x01\x02", 3); // 8: dict of one pair, key object 1, value object 2
    bytes += std::string("\x54loop", 5); // 11: ASCII string of four characters
    bytes += std::string("\xA1\x02", 2); // 16: array of one element, object 2: itself
    bytes += std::string("\x08\x0B\x10", 3); // 18: offset table
    bytes += std::string(6, '\0') + "\x01\x01"; // trailer: offsets and references one byte each
    bytes += std::string(7, '\0') + "\x03"; // three objects
    bytes += std::string(8, '\0'); // the top object is object 0
    bytes += std::string(7, '\0') + "\x12"; // the offset table starts at 18
    return bytes;
}

std::string bigEndian(std::uint64_t value, unsigned size)
{
    std::string out;
    for (unsigned i = size; i-- > 0;)
        out += static_cast<char>(value >> (8 * i));
    return out;
}

// A binary property list of `levels` arrays, each holding the next one `times` times.
std::string binaryLevels(std::uint32_t levels, int times)
{
    std::string objects = "bplist00", table;
    for (std::uint32_t i = 0; i < levels; ++i) {
        table += bigEndian(objects.size(), 4);
        if (i + 1 == levels) {
            objects += '\xA0';
            continue;
        }
        objects += static_cast<char>(0xA0 | times);
        for (int t = 0; t < times; ++t)
            objects += bigEndian(i + 1, 4);
    }
    std::uint64_t tableAt = objects.size();
    return objects + table + std::string(6, '\0') + "\x04\x04" + bigEndian(levels, 8) + bigEndian(0, 8)
        + bigEndian(tableAt, 8);
}

std::string nestedDomain(int depth)
{
    std::string text
        = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>isBannerEnabled</key><true/><key>deep</key>";
    for (int i = 0; i < depth; ++i)
        text += "<array>";
    for (int i = 0; i < depth; ++i)
        text += "</array>";
    return text + "</dict></plist>";
}

const json kGrouped = { { "isCustomTableCellCustomizabilityEnabled", true }, { "isConnectivityGroupingEnabled", true },
    { "isNotificationsGroupingEnabled", true }, { "isGeneralGroupingEnabled", true }, { "groupTweaksEnabled", true },
    { "groupSystemAppsEnabled", true } };

const std::vector<std::string> kDumpTweaks = { "dump", "tweaks" };
const std::vector<std::string> kDumpRoot = { "dump", "root" };

void checkCase(const HostileCase& c, const SimResult& result)
{
    SCOPED_TRACE(c.name);
    ASSERT_FALSE(result.stopped) << "the run did not end by itself";
    ASSERT_FALSE(result.signalled) << "signal " << result.exitCode - 128 << "\n" << result.err;
    ASSERT_EQ(result.exitCode, c.exitCode) << result.err;
    if (c.exitCode != 0) {
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
        return;
    }
    if (c.says.empty())
        return;
    json page = result.json();
    ASSERT_FALSE(page.is_discarded()) << result.out.substr(0, 200);
    Ids ids = flatRowIDs(page);
    if (c.says[0] == '!')
        EXPECT_EQ(indexOf(ids, c.says.substr(1)), -1);
    else
        EXPECT_GE(indexOf(ids, c.says), 0);
}

void runCases(const std::vector<HostileCase>& cases)
{
    for (auto& c : cases) {
        TestDevice device;
        device.setPreferences(kGrouped);
        c.prepare(device);
        checkCase(c, device.run(c.args));
    }
}

}

TEST(HostileDevices, LinksStayInsideTheDeviceAndLoopsEnd)
{
    runCases({
        { "an entry linked to an absolute path outside the device",
            [](TestDevice& d) {
                d.symlink(kEntries + "/Outside.plist", outside(d, "outside.plist", entryPlist("Outside")));
            },
            kDumpTweaks, 0, "!Outside" },
        { "a folder of entries linked to an absolute path outside the device",
            [](TestDevice& d) {
                fs::create_directories(d.path().parent_path() / "away");
                outside(d, "away/Away.plist", entryPlist("Away"));
                d.symlink(kEntries + "/Away", (d.path().parent_path() / "away").string());
            },
            kDumpTweaks, 0, "!Away" },
        { "an entry linked up and out of the device by a relative path",
            [](TestDevice& d) {
                outside(d, "outside.plist", entryPlist("Outside"));
                d.symlink(kEntries + "/Up.plist", "../../../../../../outside.plist");
            },
            kDumpTweaks, 0, "!Outside" },
        { "the domain linked outside the device",
            [](TestDevice& d) {
                d.remove(kDomain);
                d.symlink(kDomain,
                    outside(d, "prefs.plist", "<plist><dict><key>isBannerEnabled</key><true/></dict></plist>"));
            },
            kDumpRoot, 0, "!TMBannerCell" },
        { "entries linked to each other in a circle",
            [](TestDevice& d) {
                d.symlink(kEntries + "/A.plist", "B.plist");
                d.symlink(kEntries + "/B.plist", "A.plist");
                d.symlink(kEntries + "/Self", "Self");
                d.symlink(kEntries + "/Nested/Up", "../..");
            },
            kDumpTweaks, 0, "Aurora" },
        { "device.json linked to an endless device file",
            [](TestDevice& d) {
                d.remove("/device.json");
                d.symlink("/device.json", "/dev/zero");
            },
            kDumpRoot, 1, "is a device, not a file" },
    });
}

TEST(HostileDevices, LargeAndDeepFilesAreRefusedOrReadWithinBounds)
{
    runCases({
        { "a 100 MB entry file",
            [](TestDevice& d) {
                d.writeFile(kEntries + "/Huge.plist", "");
                fs::resize_file(d.file(kEntries + "/Huge.plist"), 100u << 20);
            },
            kDumpTweaks, 0, "Aurora" },
        { "an entry folder nested 1,000 deep",
            [](TestDevice& d) {
                std::string path = kEntries;
                for (int i = 0; i < 1000; ++i)
                    path += "/d";
                d.writeFile(path + "/Deep.plist", entryPlist("Deep"));
            },
            kDumpTweaks, 0, "Deep" },
        { "a domain nested 100,000 deep", [](TestDevice& d) { d.writeFile(kDomain, nestedDomain(100000)); },
            { "options" }, 0, "" },
        { "a binary domain nested 100,000 deep", [](TestDevice& d) { d.writeFile(kDomain, binaryLevels(100000, 1)); },
            { "options" }, 0, "" },
        { "a binary domain of 64 levels that each hold the next twice",
            [](TestDevice& d) { d.writeFile(kDomain, binaryLevels(64, 2)); }, { "options" }, 0, "" },
        { "a binary domain whose object refers to itself",
            [](TestDevice& d) { d.writeFile(kDomain, binaryPlistWithCycle()); }, kDumpRoot, 0, "" },
        { "an entry file that is a binary plist whose object refers to itself",
            [](TestDevice& d) { d.writeFile(kEntries + "/Cycle.plist", binaryPlistWithCycle()); }, kDumpTweaks, 0,
            "Aurora" },
        { "a sparse file of a terabyte in the device folder",
            [](TestDevice& d) {
                d.writeFile("/var/mobile/Sparse", "");
                fs::resize_file(d.file("/var/mobile/Sparse"), std::uintmax_t(1) << 40);
            },
            kDumpRoot, 1, "holds more than 512 MB of files" },
        { "a pipe in the device folder", [](TestDevice& d) { mkfifo(d.file(kEntries + "/Pipe.plist").c_str(), 0600); },
            kDumpTweaks, 1, "cannot copy the device folder" },
    });
}

TEST(HostileDevices, RowsThatContradictTheWalkStillEnd)
{
    runCases({
        { "duplicate identifiers",
            [](TestDevice& d) {
                auto& list = d.description()["rootList"];
                for (const char* id : { "AIRPLANE_MODE", "WIFI", "General", "PASSCODE", "STORE", "GAMECENTER" })
                    list.push_back(row(d, id));
            },
            kDumpRoot, 0, "CONNECTIVITY_MODULE" },
        // The walk moves a module's run from its start row up to the next group row; a start row
        // that is itself a group row ends the run before it begins.
        { "a group cell where a module's start row is expected",
            [](TestDevice& d) {
                row(d, "AIRPLANE_MODE")["cell"] = "PSGroupCell";
                row(d, "NOTIFICATIONS_ID")["cell"] = "PSGroupCell";
            },
            kDumpRoot, 0, "" },
        { "rows without \"id\" or \"name\"",
            [](TestDevice& d) {
                insertRows(d, { { { "cell", "PSLinkCell" } } });
            },
            kDumpRoot, 1, "rootList[3]: expected an \"id\" or a \"name\"" },
        { "a group row without \"id\" or \"name\" and a row with a name alone",
            [](TestDevice& d) {
                insertRows(d, { { { "cell", "PSGroupCell" } }, { { "name", "Unnamed" } } });
            },
            kDumpRoot, 0, "Unnamed" },
        { "a row whose cell is not text", [](TestDevice& d) { d.description()["rootList"][3]["cell"] = 5; }, kDumpRoot,
            1, "rootList[3].cell: expected a string" },
    });
}

TEST(HostileDevices, NamesThatAreNotTextAreReadAndShown)
{
    runCases({
        { "an entry file whose name is not UTF-8",
            [](TestDevice& d) { d.writeFile(kEntries + "/\xff\xfe.plist", entryPlist("Latin")); }, kDumpTweaks, 0,
            "Latin" },
        { "a folder of entries whose name is not UTF-8",
            [](TestDevice& d) { d.writeFile(kEntries + "/\xe9t\xe9/Inner.plist", entryPlist("Inner")); }, kDumpTweaks,
            0, "Inner" },
        { "an entry whose label is not UTF-8",
            [](TestDevice& d) { d.writeFile(kEntries + "/Cafe.plist", entryPlist("Caf\xe9")); }, kDumpTweaks, 0,
            "Aurora" },
        { "a domain whose title is not UTF-8",
            [](TestDevice& d) {
                d.writeFile(kDomain, "<plist><dict><key>titleValue</key><string>\xff\xfe</string></dict></plist>");
            },
            { "options" }, 0, "" },
    });
}
