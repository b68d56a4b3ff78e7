#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "host/platform/Device.h"
#include "host/platform/DeviceReader.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// A device folder whose device.json each test writes.
struct DeviceFolder : testing::Test {
    fs::path folder;
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "tamarind-device-XXXXXX").string();
        folder = mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(folder); }

    // The one-line error of loading the text as device.json, or "" when it loads.
    std::string load(const std::string& text)
    {
        std::ofstream(folder / "device.json", std::ios::binary | std::ios::trunc) << text;
        std::string error;
        return loadDevice(folder, error) ? "" : error;
    }
    std::string loadJson(const json& description) { return load(description.dump()); }
    std::string relative(const std::string& error)
    {
        std::string prefix = (folder / "device.json").string() + ": ";
        return error.starts_with(prefix) ? error.substr(prefix.size()) : error;
    }
};

json rows(std::size_t count)
{
    json list = json::array();
    for (std::size_t i = 0; i < count; ++i)
        list.push_back({ { "id", "ROW_" + std::to_string(i) } });
    return list;
}

}

TEST_F(DeviceFolder, ErrorsNameTheKeyAndWhatWasExpected)
{
    json rootList = rows(3);
    rootList.push_back({ { "id", "D" }, { "cell", 5 } });
    struct Case {
        json description;
        const char* error;
    } cases[] = {
        { { { "rootList", rootList } }, "rootList[3].cell: expected a string" },
        { json::array(), "expected an object" },
        { { { "name", 7 } }, "name: expected a string" },
        { { { "idiom", "watch" } }, "idiom: expected \"phone\" or \"pad\"" },
        { { { "interfaceStyle", "purple" } }, "interfaceStyle: expected \"light\" or \"dark\"" },
        { { { "systemVersion", "99999999999999999999" } }, "systemVersion: expected a version such as \"16.4\"" },
        { { { "systemVersion", "16..4" } }, "systemVersion: expected a version such as \"16.4\"" },
        { { { "systemVersion", "sixteen" } }, "systemVersion: expected a version such as \"16.4\"" },
        { { { "systemVersion", "" } }, "systemVersion: expected a version such as \"16.4\"" },
        { { { "systemVersion", "99.99.99.99.99" } }, "systemVersion: expected a version such as \"16.4\"" },
        { { { "systemVersion", 16.4 } }, "systemVersion: expected a string" },
        { { { "screen", "big" } }, "screen: expected an object" },
        { { { "screen", { { "width", 100000 } } } }, "screen.width: expected a number from 1 to 4096" },
        { { { "screen", { { "width", 0 } } } }, "screen.width: expected a number from 1 to 4096" },
        { { { "screen", { { "height", 100000 } } } }, "screen.height: expected a number from 1 to 4096" },
        { { { "screen", { { "height", 0 } } } }, "screen.height: expected a number from 1 to 4096" },
        { { { "screen", { { "height", "tall" } } } }, "screen.height: expected a number from 1 to 4096" },
        { { { "screen", { { "scale", 0 } } } }, "screen.scale: expected a number from 1 to 4" },
        { { { "screen", { { "width", 2000 }, { "scale", 3 } } } },
            "screen: expected at most 4096 pixels across and down (points times scale)" },
        { { { "rootList", "rows" } }, "rootList: expected an array" },
        { { { "rootList", rows(1001) } }, "rootList: expected at most 1000 rows" },
        { { { "rootList", rows(500) }, { "apps", { { "rows", rows(498) } } } },
            "expected at most 1000 rows in all the lists together" },
        { { { "rootList", { 3 } } }, "rootList[0]: expected an object" },
        { { { "rootList", { { { "cell", "PSLinkCell" } } } } }, "rootList[0]: expected an \"id\" or a \"name\"" },
        { { { "rootList", { { { "name", std::string(1025, 'x') } } } } },
            "rootList[0].name: expected at most 1024 bytes of text" },
        { { { "apps", { { "rows", { { { "id", 1 } } } } } } }, "apps.rows[0].id: expected a string" },
        { { { "rootList", { { { "id", "S" }, { "properties", 3 } } } } },
            "rootList[0].properties: expected an object" },
        { { { "rootList", { { { "id", "S" }, { "properties", { { "min", { 1 } } } } } } } },
            "rootList[0].properties.min: expected a boolean, a finite number or a string" },
        { { { "apps", { { "delay", -1 } } } }, "apps.delay: expected a number from 0 to 60" },
        { { { "insertions", { { { "id", "VPN" }, { "delay", 1e9 } } } } },
            "insertions[0].delay: expected a number from 0 to 60" },
        { { { "insertions", { { { "id", "VPN" }, { "after", false } } } } }, "insertions[0].after: expected a string" },
        { { { "videoSubscriber", { { "id", json::array() } } } }, "videoSubscriber.id: expected a string" },
        { { { "about", { 3 } } }, "about[0]: expected an object" },
        { { { "startTime", "now" } }, "startTime: expected a number from 0 to 100000000000" },
        { { { "startTime", 100 } }, "startTime: expected at least 273600 when there is no \"bootTime\"" },
        { { { "startTime", 100 }, { "bootTime", 200 } }, "bootTime: expected a number from 0 to 100" },
        { { { "storage", { { "capacity", 0 } } } }, "storage.capacity: expected a number from 1 to 1000000000000000" },
        { { { "storage", { { "use", { { "Photos", "many" } } } } } },
            "storage.use.Photos: expected a number from 0 to 1000000000000000" },
        { { { "installedApps", { { { "name", "Maps" } } } } },
            "installedApps[0].bundleID: expected a bundle identifier" },
        { { { "installedApps", { 1 } } }, "installedApps[0]: expected an object" },
        { { { "readOnly", { 3 } } }, "readOnly[0]: expected a string of at most 1024 bytes" },
        { { { "family", "Jane" } }, "family: expected an array" },
        { { { "bluetoothPower", "on" } }, "bluetoothPower: expected true or false" },
        { { { "applicationIconBadgeNumber", -1 } },
            "applicationIconBadgeNumber: expected a whole number from 0 to 1000000" },
        { { { "applicationIconBadgeNumber", 2.5 } },
            "applicationIconBadgeNumber: expected a whole number from 0 to 1000000" },
        { { { "activeProcessorCount", 0 } }, "activeProcessorCount: expected a whole number from 1 to 1024" },
        { { { "rootList", { { { "id", "VPN" }, { "cellClass", 1 } } } } }, "rootList[0].cellClass: expected a string" },
        { { { "pages", { 1 } } }, "pages: expected an object" },
        { { { "pages", { { "KeyboardController", { { { "id", false } } } } } } },
            "pages.KeyboardController[0].id: expected a string" },
        { { { "rootList", rows(600) }, { "pages", { { "A", rows(200) }, { "B", rows(200) } } } },
            "expected at most 1000 rows in all the lists together" },
        { json::parse(R"({"network": {"interfaces": [{"name": "en0", "family": "ipx"}]}})"),
            "network.interfaces[0].family: expected \"ipv4\" or \"ipv6\"" },
        { { { "network", { { "interfaces", rows(1001) } } } }, "network.interfaces: expected at most 1000 interfaces" },
        { json::parse(R"({"network": {"scopedProxies": [3]}})"),
            "network.scopedProxies[0]: expected a string of at most 1024 bytes" },
    };
    for (auto& c : cases)
        EXPECT_EQ(relative(loadJson(c.description)), c.error) << c.description.dump();
}

TEST_F(DeviceFolder, ValidDescriptionsLoadWithTheirValues)
{
    json description = { { "systemVersion", "14.8.1" }, { "idiom", "pad" }, { "interfaceStyle", "dark" },
        { "screen", { { "width", 1024 }, { "height", 1366 }, { "scale", 2 } } },
        { "rootList",
            { { { "cell", "PSGroupCell" } }, { { "name", "Named" } }, { { "id", "ID" }, { "unknown", 3 } } } },
        { "wallpaper", nullptr }, { "apps", { { "rows", rows(994) }, { "delay", 60 } } }, { "futureKey", { 1, 2 } } };
    std::ofstream(folder / "device.json") << description.dump();
    std::string error;
    auto device = loadDevice(folder, error);
    ASSERT_TRUE(device) << error;
    EXPECT_EQ(device->systemVersion, "14.8.1");
    EXPECT_EQ(device->screenHeight, 1366);
    EXPECT_EQ(device->rootList.size(), 3u);
    EXPECT_EQ(device->rootList[1].name, "Named");
    EXPECT_EQ(device->rootList[2].name, "ID") << "a row without a name shows its identifier";
    EXPECT_EQ(device->rootList[2].cell, "PSLinkCell");
    EXPECT_FALSE(device->wallpaper);
    EXPECT_EQ(device->appRows.size(), 994u);
    for (const char* project : { "default", "ios14" }) {
        EXPECT_TRUE(loadDevice(fs::path(TAM_SOURCE_DIR) / "devices" / project, error)) << error;
    }
}

TEST_F(DeviceFolder, TextThatIsNotAUsableFileIsRefusedBeforeParsing)
{
    std::string deep = std::string(100000, '[') + std::string(100000, ']');
    EXPECT_EQ(relative(load(deep)), "arrays and objects nest deeper than 32 levels");
    std::string nestedInStrings = "{\"name\": \"" + std::string(100, '[') + "\"}";
    EXPECT_EQ(load(nestedInStrings), "");
    EXPECT_EQ(load("{ not json"), (folder / "device.json").string() + " is not valid JSON");
    EXPECT_EQ(load("{\"name\": \"\xff\"}"), (folder / "device.json").string() + " is not valid JSON");

    fs::remove(folder / "device.json");
    fs::create_directory(folder / "device.json");
    std::string error;
    EXPECT_FALSE(loadDevice(folder, error));
    EXPECT_EQ(error, (folder / "device.json").string() + " is a folder, not a file");
    fs::remove(folder / "device.json");
    fs::create_symlink("/dev/zero", folder / "device.json");
    EXPECT_FALSE(loadDevice(folder, error));
    EXPECT_EQ(error, (folder / "device.json").string() + " is a device, not a file");
    fs::remove(folder / "device.json");
    std::ofstream(folder / "device.json") << "{}";
    fs::resize_file(folder / "device.json", deviceLimits::kMaximumFileBytes + 1);
    EXPECT_FALSE(loadDevice(folder, error));
    EXPECT_EQ(error, (folder / "device.json").string() + " is larger than 4 MB");
}

TEST(JsonNesting, CountsBracketsOutsideStrings)
{
    struct Case {
        const char* text;
        int depth;
    } cases[] = {
        { "1", 0 },
        { "[]", 1 },
        { "{\"a\": [[1], {\"b\": []}]}", 4 },
        { "\"[[[\"", 0 },
        { "[\"\\\"[[\"]", 1 },
        { "[[[", 3 },
    };
    for (auto& c : cases)
        EXPECT_EQ(jsonNestingDepth(c.text), c.depth) << c.text;
}
