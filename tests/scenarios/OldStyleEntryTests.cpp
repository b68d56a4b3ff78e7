#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <optional>
#include <png.h>

#include "SimHarness.h"
#include "support/CrushedPNGWriter.h"

using nlohmann::json;
using Ids = std::vector<std::string>;

namespace {


// Entry files shaped as tweaks' build systems write them, in both old-style forms.
const char* kThemeStudioEntry = "\xEF\xBB\xBF// Theme Studio's pane: a bundle with a crushed icon.\n"
                                "{\n"
                                "\tentry = {\n"
                                "\t\tbundle = ThemeStudioPrefs;\n"
                                "\t\tcell = PSLinkCell;\n"
                                "\t\tdetail = TSRootListController;\n"
                                "\t\ticon = \"icon.png\"; /* crushed by the build */\n"
                                "\t\tisController = 1;\n"
                                "\t\tlabel = \"Theme Studio\";\n"
                                "\t};\n"
                                "}\n";

const char* kTheosExampleEntry = "/* A simple pane, written without the outer braces. */\n"
                                 "entry = {\n"
                                 "    cell = PSLinkCell;\n"
                                 "    icon = example.png;\n"
                                 "    label = \"Theos Example 1\";\n"
                                 "};\n"
                                 "items = (\n"
                                 "    { cell = PSGroupCell; label = \"Options\"; },\n"
                                 "    { cell = PSSwitchCell; default = 1; key = enabled; label = Enabled; },\n"
                                 ");\n";

const char* kEscapedEntry = "{ entry = { cell = PSLinkCell; label = \"Caf\\U00e9 \\\"Pro\\\"\"; }; }";

// The crushed icons: the left half opaque orange, the right half blue at half opacity, so that
// swapped channels or an alpha applied twice show in the screenshot.
std::string crushedIcon(uint32_t size)
{
    std::vector<uint8_t> pixels;
    for (uint32_t y = 0; y < size; ++y)
        for (uint32_t x = 0; x < size; ++x) {
            auto pixel = x < size / 2 ? crushed::solid(1, 1, { 0x00, 0x80, 0xFF, 0xFF })
                                      : crushed::solid(1, 1, { 0xFF, 0x00, 0x00, 0x80 });
            pixels.insert(pixels.end(), pixel.begin(), pixel.end());
        }
    auto png = crushed::write(size, size, pixels);
    return { png.begin(), png.end() };
}

void installOldStyleEntries(TestDevice& device)
{
    // Square icons, so that the icons' own pixels reach their edges.
    device.setPreferences({ { "isCustomTableCellCustomizabilityEnabled", true }, { "groupTweaksEnabled", true },
        { "isCircleIcons", false } });
    device.writeFile(kEntries + "/ThemeStudio.plist", kThemeStudioEntry);
    device.writeFile("/var/jb/Library/PreferenceBundles/ThemeStudioPrefs.bundle/icon.png", crushedIcon(58));
    device.writeFile("/var/jb/Library/PreferenceBundles/ThemeStudioPrefs.bundle/Info.plist",
        "{ CFBundleIdentifier = com.example.themestudio; CFBundleExecutable = ThemeStudioPrefs; }");
    device.writeFile(kEntries + "/TheosExample.plist", kTheosExampleEntry);
    device.writeFile(kEntries + "/example.png", crushedIcon(29));
    device.writeFile(kEntries + "/Escaped.plist", kEscapedEntry);
    std::string cut = kThemeStudioEntry;
    device.writeFile(kEntries + "/Truncated.plist", cut.substr(0, cut.find("label")));
}

struct Pixels {
    png_image image {};
    std::vector<uint8_t> rgba;
    std::array<int, 3> at(size_t x, size_t y) const
    {
        size_t i = (y * image.width + x) * 4;
        return { rgba[i], rgba[i + 1], rgba[i + 2] };
    }
};

bool isIconOrange(std::array<int, 3> c)
{
    return c[0] > 240 && std::abs(c[1] - 128) < 12 && c[2] < 15;
}

// The runs of consecutive pixel rows whose pixel in `column` is the icons' orange, as the first
// row and the number of rows.
std::vector<std::pair<size_t, size_t>> orangeRuns(const Pixels& pixels, size_t column)
{
    std::vector<std::pair<size_t, size_t>> runs;
    for (size_t y = 0; y < pixels.image.height; ++y) {
        if (!isIconOrange(pixels.at(column, y)))
            continue;
        if (!runs.empty() && runs.back().first + runs.back().second == y)
            ++runs.back().second;
        else
            runs.push_back({ y, 1 });
    }
    return runs;
}

std::optional<Pixels> readPNG(const std::string& path)
{
    Pixels pixels;
    pixels.image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&pixels.image, path.c_str()))
        return std::nullopt;
    pixels.image.format = PNG_FORMAT_RGBA;
    pixels.rgba.resize(PNG_IMAGE_SIZE(pixels.image));
    if (!png_image_finish_read(&pixels.image, nullptr, pixels.rgba.data(), 0, nullptr))
        return std::nullopt;
    return pixels;
}

}

TEST(OldStyleEntries, BothFormsGiveTheirRowsWithLabelsAndIcons)
{
    TestDevice device;
    installOldStyleEntries(device);
    auto result = device.run({ "dump", "tweaks" });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    json page = result.json();
    EXPECT_EQ(flatRowIDs(page),
        (Ids { "Aurora", "beta tools", "Caf\u00e9 \"Pro\"", "Lumen", "Quick Notes", "Snowboard", "Theme Studio",
            "Theos Example 1", "Velvet" }))
        << "the truncated file gives no row";
    const json* themeStudio = rowNamed(page, "Theme Studio");
    ASSERT_TRUE(themeStudio);
    EXPECT_EQ((*themeStudio)["name"], "Theme Studio");
    EXPECT_EQ((*themeStudio)["iconSize"], json::array({ 29, 29 })) << "the bundle's crushed icon, drawn at 29 by 29";
    const json* example = rowNamed(page, "Theos Example 1");
    ASSERT_TRUE(example);
    EXPECT_EQ((*example)["iconSize"], json::array({ 29, 29 })) << "the simple pane's crushed icon as it is";
    EXPECT_NE(deviceLog(page).find("Property list " + kEntries + "/Truncated.plist: line 9: a dictionary is never closed"),
        std::string::npos)
        << result.out;
}

TEST(OldStyleEntries, CrushedIconsDrawInTheScreenshot)
{
    TestDevice device;
    installOldStyleEntries(device);
    std::string shot = device.file("/tmp/tweaks.png").string();
    device.writeFile("/tmp/shot.script", "open tweaks\ndump\nrender " + shot + "\n");
    auto result = device.run({ "script", device.file("/tmp/shot.script").string() });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    json page = result.json();
    auto pixels = readPNG(shot);
    ASSERT_TRUE(pixels);
    double scale = device.description()["screen"]["scale"];
    // Where the icons stand across the screen; the rows are found by looking, since the dumped
    // frames were taken while the dump scrolled each row into view.
    const json* row = rowNamed(page, "Theme Studio");
    ASSERT_TRUE(row && (*row)["cell"].contains("imageFrame"));
    double x = (*row)["cell"]["imageFrame"][0], width = (*row)["cell"]["imageFrame"][2];
    auto runs = orangeRuns(*pixels, size_t((x + width / 4) * scale));
    ASSERT_EQ(runs.size(), 2u) << "one orange icon half for each of the two crushed icons";
    for (auto [top, rows] : runs) {
        EXPECT_NEAR(double(rows), 29 * scale, 2) << "the icon is 29 points high";
        auto right = pixels->at(size_t((x + width * 3 / 4) * scale), top + rows / 2);
        // Blue at half opacity over the white cell; a second premultiplication would halve the blue.
        EXPECT_GT(right[2], 245) << "the right half is translucent blue";
        EXPECT_NEAR(right[0], 128, 12);
        EXPECT_NEAR(right[1], 128, 12);
    }
}

TEST(OldStyleEntries, ScriptTapsARowWhoseIdentifierHasSpaces)
{
    TestDevice device;
    installOldStyleEntries(device);
    device.writeFile("/tmp/tap.script", "open tweaks\n  tap   Theos Example 1  \ndump\n");
    auto result = device.run({ "script", device.file("/tmp/tap.script").string() });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    json page = result.json();
    EXPECT_EQ(page["title"], "Theos Example 1");
    EXPECT_EQ(flatRowIDs(page), (Ids { "Enabled" }));

    device.writeFile("/tmp/missing.script", "open tweaks\ntap Theos Example\n");
    auto missing = device.run({ "script", device.file("/tmp/missing.script").string() });
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_NE(missing.err.find("line 2: no row Theos Example on the page"), std::string::npos) << missing.err;
}

TEST(OldStylePreferences, ADomainInTheOldFormTakesEffect)
{
    // The form has no booleans: switches are written as strings, which read as their truth.
    TestDevice device;
    device.writeFile("/var/mobile/Library/Preferences/com.corvane.sorrelpreferences.plist",
        "{\n    isCustomTableCellCustomizabilityEnabled = YES;\n    groupTweaksEnabled = 1;\n"
        "    groupThirdPartyAppsEnabled = NO;\n}\n");
    auto result = device.run({ "dump", "root" });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    Ids ids = flatRowIDs(result.json());
    EXPECT_GE(indexOf(ids, "TWEAKS_CELL"), 0);
    EXPECT_EQ(indexOf(ids, "APPS_CELL"), -1);
}
