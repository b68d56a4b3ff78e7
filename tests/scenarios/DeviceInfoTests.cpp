#include <gtest/gtest.h>

#include "SimHarness.h"

using nlohmann::json;

namespace {

constexpr double kStart = 1767225600;
// A small PNG of the library's package (87 x 87 pixels at scale 1): an icon that is neither an app's nor the
// blank one, so the footer's icon size tells which was shown.
constexpr const char* kSmallIcon = "/var/jb/Library/PreferenceBundles/sorrelPreferences.bundle/TweakIcon.png";

std::string uptimeOf(const json& page)
{
    const json* row = rowNamed(page, "DeviceUptime");
    return row ? (*row)["cell"]["detail"]["text"].get<std::string>() : "";
}

json lastFooter(const json& page)
{
    return page["sections"].back().value("footer", json());
}

}

TEST(AboutUptime, RowStandsUnderTheSerialNumberAndReadsTheTimeSinceBoot)
{
    TestDevice device;
    // The dump comes 2 s after launch (Settings settles for 1 s, the About page for 1 s).
    device.description()["startTime"] = kStart;
    device.description()["bootTime"] = kStart - 93782;
    device.setPreferences({ { "uptimeCellEnabled", true } });
    auto result = device.run({ "dump", "about" });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    json page = result.json();
    long section = -1, index = -1;
    const json* row = rowNamed(page, "DeviceUptime", &section, &index);
    ASSERT_TRUE(row);
    EXPECT_EQ(section, 1);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(page["sections"][1]["group"], "UPTIME_GROUP");
    EXPECT_EQ((*row)["cell"]["text"]["text"], "Uptime");
    EXPECT_EQ((*row)["value"], "0");
    EXPECT_EQ(uptimeOf(page), "1d 2h 3m 4s");
}

TEST(AboutUptime, OffLeavesTheHostPageAlone)
{
    TestDevice device;
    device.setPreferences({ { "uptimeCellEnabled", false } });
    auto result = device.run({ "dump", "about" });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    json page = result.json();
    EXPECT_FALSE(rowNamed(page, "DeviceUptime"));
    EXPECT_EQ(page["sections"].size(), 2u);
}

TEST(AboutUptime, RefreshesEverySecondWhileThePageIsShown)
{
    struct Case {
        const char* name;
        json about; // the About page's rows; null: Settings' own
    } cases[] = {
        { "stock page", nullptr },
        // Without a serial number the row lands at the end of the page, away from row 0 of
        // section 1, which must not be the row refreshed.
        { "no serial number",
            json::array({ { { "id", "G1" }, { "cell", "PSGroupCell" } },
                { { "id", "NAME_CELL_ID" }, { "cell", "PSTitleValueCell" }, { "value", "Phone" } },
                { { "id", "G2" }, { "cell", "PSGroupCell" } },
                { { "id", "SONGS" }, { "cell", "PSTitleValueCell" }, { "value", "0" } } }) },
        // A single section without a group row: the inserted group starts section 1.
        { "single section",
            json::array({ { { "id", "NAME_CELL_ID" }, { "cell", "PSTitleValueCell" } },
                { { "id", "SerialNumber" }, { "cell", "PSTitleValueCell" } } }) },
    };
    for (auto& c : cases) {
        TestDevice device;
        device.description()["bootTime"] = kStart - 58;
        device.description()["startTime"] = kStart;
        if (!c.about.is_null())
            device.description()["about"] = c.about;
        device.setPreferences({ { "uptimeCellEnabled", true } });
        device.writeFile("/tmp/steps", "open about\ndump\nadvance 1\ndump\nadvance 1\ndump\n");
        auto result = device.run({ "script", device.file("/tmp/steps").string() });
        ASSERT_EQ(result.exitCode, 0) << c.name << ": " << result.err;
        auto dumps = result.jsonLines();
        ASSERT_EQ(dumps.size(), 3u) << c.name;
        EXPECT_EQ(uptimeOf(dumps[0]), "0d 0h 0m 59s") << c.name;
        EXPECT_EQ(uptimeOf(dumps[1]), "0d 0h 1m 0s") << c.name;
        EXPECT_EQ(uptimeOf(dumps[2]), "0d 0h 1m 1s") << c.name;
    }
}

TEST(AboutUptime, UnreadableBootTimeReadsMinusOneSecond)
{
    TestDevice device;
    device.description()["bootTime"] = 0;
    device.setPreferences({ { "uptimeCellEnabled", true } });
    auto result = device.run({ "dump", "about" });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(uptimeOf(result.json()), "0d 0h 0m -1s");
}

TEST(RootFooter, LayoutFollowsTheDeviceLineAndJailbreakOptions)
{
    struct Case {
        bool deviceLine, icon;
    } cases[] = { { false, false }, { true, false }, { false, true }, { true, true } };
    for (auto c : cases) {
        TestDevice device;
        device.setPreferences({ { "isDeviceIDEnabled", c.deviceLine }, { "isWhatJailbreakEnabled", c.icon } });
        auto result = device.run({ "dump", "root" });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        json footer = lastFooter(result.json());
        SCOPED_TRACE(testing::Message() << "line " << c.deviceLine << " icon " << c.icon);
        ASSERT_TRUE(footer.is_object());
        EXPECT_EQ(footer["frame"][3], 50.0);
        double footerMidX = footer["frame"][0].get<double>() + footer["frame"][2].get<double>() / 2;
        double footerRight = footer["frame"][0].get<double>() + footer["frame"][2].get<double>();
        EXPECT_EQ(footer["line"].is_null(), !c.deviceLine);
        if (c.deviceLine) {
            EXPECT_EQ(footer["line"]["text"], "Jane's iPhone, iOS 16.4");
            auto& f = footer["line"]["frame"];
            EXPECT_NEAR(f[0].get<double>() + f[2].get<double>() / 2, footerMidX, 0.5);
        }
        EXPECT_EQ(footer["icon"].is_null(), !c.icon);
        if (c.icon) {
            auto& f = footer["icon"]["frame"];
            EXPECT_EQ(f[2], 40.0);
            EXPECT_EQ(f[3], 40.0);
            double x = f[0].get<double>();
            if (c.deviceLine)
                EXPECT_NEAR(x + 40, footerRight, 0.5);
            else
                EXPECT_NEAR(x + 20, footerMidX, 0.5);
            EXPECT_TRUE(footer["icon"]["image"]);
        }
    }
}

TEST(RootFooter, OtherSectionFootersTakeTheSpacingValue)
{
    // The gap between two sections is the first one's footer and the next one's header.
    auto gap = [](long spacing) {
        TestDevice device;
        device.setPreferences({ { "tableCellSpacingValue", spacing } });
        auto result = device.run({ "dump", "root" });
        EXPECT_EQ(result.exitCode, 0) << result.err;
        json page = result.json();
        auto& first = page["sections"][1]["rows"].back()["cell"]["frame"];
        auto& next = page["sections"][2]["rows"][0]["cell"]["frame"];
        return next[1].get<double>() - first[1].get<double>() - first[3].get<double>();
    };
    EXPECT_DOUBLE_EQ(gap(40) - gap(5), 35.0);
}

TEST(JailbreakDetection, FirstMatchingMarkerRowDecides)
{
    struct Case {
        const char* name;
        std::vector<std::string> markers;
        const char* app; // the app whose (small) icon must show; null: no icon at all
    } cases[] = {
        { "fugu15",
            { "/usr/lib/systemhook.dylib", "/var/jb/basebin/basebin.tc", "/var/jb/.installed_fugu15max",
                "/var/jb/.installed_dopamine" },
            "com.opa334.Fugu15" },
        { "dopamine", { "/usr/lib/systemhook.dylib", "/var/jb/basebin/basebin.tc", "/var/jb/.installed_dopamine" },
            "com.opa334.Dopamine" },
        { "rootless base without marker stops the search",
            { "/usr/lib/systemhook.dylib", "/var/jb/basebin/basebin.tc", "/taurine" }, nullptr },
        { "systemhook alone falls through", { "/usr/lib/systemhook.dylib", "/taurine" }, "org.coolstar.taurine" },
        { "odyssey", { "/odyssey", "/var/checkra1n.dmg" }, "org.coolstar.odyssey" },
        { "checkra1n", { "/var/checkra1n.dmg" }, "kjc.loader" },
        { "nothing", {}, nullptr },
    };
    for (auto& c : cases) {
        TestDevice device;
        for (const char* marker :
            { "/usr/lib/systemhook.dylib", "/var/jb/basebin/basebin.tc", "/var/jb/.installed_dopamine" })
            device.remove(marker);
        for (auto& marker : c.markers)
            device.writeFile(marker, "");
        json apps = json::array();
        for (const char* id : { "com.opa334.Fugu15", "com.opa334.Dopamine", "org.coolstar.taurine",
                 "org.coolstar.odyssey", "kjc.loader" })
            apps.push_back({ { "bundleID", std::string("example.") + id },
                { "icon", c.app && std::string(c.app) == id ? kSmallIcon : "" } });
        device.description()["installedApps"] = apps;
        device.setPreferences({ { "isWhatJailbreakEnabled", true } });
        auto result = device.run({ "dump", "root" });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        json icon = lastFooter(result.json())["icon"];
        SCOPED_TRACE(c.name);
        EXPECT_EQ(icon["frame"][2], 40.0);
        EXPECT_EQ(icon["image"], c.app != nullptr);
        if (c.app) {
            EXPECT_EQ(icon["imageSize"], json({ 87.0, 87.0 }));
        }
    }
}

TEST(AppIconLookup, CacheFileIsWrittenOnceAndThenServedForAnyIdentifier)
{
    {
        TestDevice device;
        device.setPreferences({ { "isWhatJailbreakEnabled", true } });
        device.writeFile("/tmp/steps", "dump\nadvance 1\ndump\n");
        auto result = device.run({ "script", device.file("/tmp/steps").string() });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        std::string saved
            = "[Corvane] -> Image saved successfully at path: /var/mobile/Documents/CurrentJailbreakIcon.png";
        // The line is the phone's system log: the dumps show it, the terminal does not.
        std::string log = deviceLog(result.jsonLines()[1]);
        auto first = log.find(saved);
        ASSERT_NE(first, std::string::npos) << log;
        EXPECT_EQ(log.find(saved, first + 1), std::string::npos) << log;
        EXPECT_EQ(result.err.find("[Corvane]"), std::string::npos) << result.err;
        // The second footer's icon is read back from the file.
        EXPECT_EQ(lastFooter(result.jsonLines()[1])["icon"]["image"], true);
    }
    {
        // A cached icon wins even though another jailbreak is detected and no app matches.
        TestDevice device;
        device.remove("/var/jb/.installed_dopamine");
        device.remove("/var/jb/basebin/basebin.tc");
        device.writeFile("/taurine", "");
        std::filesystem::copy_file(
            packageFile(kSmallIcon), device.file("/var/mobile/Documents/CurrentJailbreakIcon.png"));
        device.setPreferences({ { "isWhatJailbreakEnabled", true } });
        auto result = device.run({ "dump", "root" });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(lastFooter(result.json())["icon"]["imageSize"], json({ 87.0, 87.0 }));
        EXPECT_EQ(deviceLog(result.json()).find("[Corvane]"), std::string::npos) << result.out;
    }
}

// The phone's system log stays the phone's: commands that draw pages print nothing of it, and a
// dump lists it under "log".
TEST(AppIconLookup, TheDeviceLogStaysOffTheTerminal)
{
    TestDevice device;
    device.setPreferences({ { "isWhatJailbreakEnabled", true } });
    auto rendered = device.run({ "render", "root", "--out", (device.path() / "root.png").string() });
    ASSERT_EQ(rendered.exitCode, 0) << rendered.err;
    EXPECT_EQ(rendered.err, "");
    auto dumped = device.run({ "dump", "root" });
    ASSERT_EQ(dumped.exitCode, 0) << dumped.err;
    EXPECT_EQ(dumped.err, "");
    EXPECT_NE(deviceLog(dumped.json()).find("[Corvane] -> "), std::string::npos) << dumped.out;
}

TEST(AppIconLookup, UnusableCacheOrDocumentsFolderFailsQuietly)
{
    {
        TestDevice device;
        device.writeFile("/var/mobile/Documents/CurrentJailbreakIcon.png", "not a PNG at all");
        device.setPreferences({ { "isWhatJailbreakEnabled", true } });
        auto result = device.run({ "dump", "root" });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        json icon = lastFooter(result.json())["icon"];
        EXPECT_EQ(icon["image"], false);
        EXPECT_EQ(icon["frame"][2], 40.0);
    }
    {
        TestDevice device;
        device.description()["readOnly"] = json::array({ "/var/mobile/Documents" });
        device.setPreferences({ { "isWhatJailbreakEnabled", true } });
        auto result = device.run({ "dump", "root" });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NE(deviceLog(result.json())
                      .find("[Corvane] -> Failed to save the image at path: /var/mobile/Documents/CurrentJailbreakIcon.png"),
            std::string::npos)
            << result.out;
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(lastFooter(result.json())["icon"]["imageSize"], json({ 60.0, 60.0 }));
    }
}

TEST(IconCache, TweakAndConnectivityRowsShowTheLibrarysIcons)
{
    TestDevice device;
    device.setPreferences({ { "isCustomTableCellCustomizabilityEnabled", true },
        { "isConnectivityGroupingEnabled", true }, { "groupTweaksEnabled", true } });
    auto result = device.run({ "dump", "root" });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    json page = result.json();
    for (const char* id : { "TWEAKS_CELL", "CONNECTIVITY_MODULE" }) {
        const json* row = rowNamed(page, id);
        ASSERT_TRUE(row) << id;
        EXPECT_EQ((*row)["icon"], true) << id;
        EXPECT_EQ((*row)["iconSize"], json({ 29.0, 29.0 })) << id;
    }
}

TEST(StorageCapacity, BarShowsTheChosenCapacityOnlyWhenOn)
{
    struct Case {
        bool on;
        long gigabytes;
        long long capacity;
        const char* text;
    } cases[] = { { true, 128, 128000000000LL, "37 GB of 128 GB Used" },
        { false, 128, 64000000000LL, "37 GB of 64 GB Used" } };
    for (auto c : cases) {
        TestDevice device;
        device.setPreferences({ { "isFakeStorageEnabled", c.on }, { "storageValue", c.gigabytes } });
        auto result = device.run({ "dump", "storage" });
        ASSERT_EQ(result.exitCode, 0) << result.err;
        json bar = result.json()["capacityBar"];
        EXPECT_EQ(bar["capacity"], c.capacity);
        EXPECT_EQ(bar["text"], c.text);
    }
}
