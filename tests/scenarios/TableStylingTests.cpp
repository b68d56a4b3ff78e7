#include <gtest/gtest.h>

#include <cstdlib>

#include "SimHarness.h"

using nlohmann::json;

namespace {

const json kModules = { { "isCustomTableCellCustomizabilityEnabled", true }, { "isConnectivityGroupingEnabled", true },
    { "isNotificationsGroupingEnabled", true }, { "isGeneralGroupingEnabled", true } };

const char* kLightPicture = "/var/mobile/Media/Tamarind/background-light.png";
// A picture of another size, so the dump tells the two apart.
const char* kDarkPicture = "/var/jb/Library/PreferenceBundles/AuroraPrefs.bundle/icon.png";

std::vector<json> allCells(const json& page)
{
    std::vector<json> cells;
    for (const auto& section : page["sections"])
        for (const auto& row : section["rows"])
            cells.push_back(row["cell"]);
    return cells;
}

std::optional<Screenshot> render(
    TestDevice& device, const json& prefs, const std::string& page, const std::string& style = "light")
{
    device.setPreferences(prefs);
    auto out = device.path() / (page + "-" + style + ".png");
    auto result = device.run({ "--style", style, "render", page, "--out", out.string() });
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return readScreenshot(out);
}

}

TEST(TableStyling, GeneralAndNotificationsPagesLeaveNoFooterSpaceConnectivityKeepsTheHosts)
{
    struct Case {
        const char* page;
        double height;
    } cases[] = { { "general", 0 }, { "notifications", 0 }, { "connectivity", -1 } };
    for (auto c : cases) {
        TestDevice device;
        json heights = dumpPage(device, kModules, c.page)["table"]["footerHeights"];
        ASSERT_FALSE(heights.empty()) << c.page;
        for (const auto& h : heights)
            EXPECT_EQ(h, c.height) << c.page;
    }
}

TEST(TableStyling, PreferencePagesTakeTheInsetGroupedStyleAndTheSideInsetOfTheSetting)
{
    for (const char* page : { "about", "root" }) {
        TestDevice device;
        json table = dumpPage(device, { { "tableViewCellInset", 24 } }, page)["table"];
        EXPECT_EQ(table["style"], 2) << page;
        EXPECT_EQ(table["sectionInset"], json({ 0.0, 24.0, 0.0, 24.0 })) << page;
        json cell = allCells(dumpPage(device, { { "tableViewCellInset", 24 } }, page)).back();
        EXPECT_EQ(cell["frame"][0], 24) << page;
        EXPECT_EQ(cell["frame"][2], 390 - 48) << page;
    }
}

TEST(TableStyling, TheBackgroundPictureOfTheAppearanceLiesUnderABlurLayer)
{
    TestDevice device;
    json prefs = { { "isCustomBackgroundImageEnabled", true }, { "backgroundImageBlurValue", 0.5 },
        { "backgroundImageLight", kLightPicture } };
    json light = dumpPage(device, prefs, "about")["table"]["backgroundView"];
    EXPECT_EQ(light["class"], "UIImageView");
    EXPECT_EQ(light["imageSize"], json({ 130.0, 282.0 }));
    ASSERT_EQ(light["subviews"].size(), 1u);
    json blur = light["subviews"][0];
    EXPECT_EQ(blur["class"], "_UIBackdropView");
    EXPECT_EQ(blur["backdropStyle"], 2);
    EXPECT_EQ(blur["alpha"], 0.5);
    EXPECT_EQ(blur["frame"], json({ 0.0, 0.0, 390.0, 844.0 }));

    // Without a dark picture the dark appearance shows the blur layer over an empty view.
    json dark = dumpPage(device, prefs, "about", "dark")["table"]["backgroundView"];
    EXPECT_EQ(dark["image"], false);
    ASSERT_EQ(dark["subviews"].size(), 1u);
    EXPECT_EQ(dark["subviews"][0]["class"], "_UIBackdropView");
}

TEST(TableStyling, AnAppearanceChangeSwapsThePicture)
{
    TestDevice device;
    device.setPreferences({ { "isCustomBackgroundImageEnabled", true }, { "backgroundImageLight", kLightPicture },
        { "backgroundImageDark", kDarkPicture } });
    device.writeFile("/tmp/style.script", "open about\ndump\nstyle dark\ndump\nstyle light\ndump\n");
    auto result = device.run({ "script", device.file("/tmp/style.script").string() });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    auto pages = result.jsonLines();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0]["table"]["backgroundView"]["imageSize"][0], 130);
    EXPECT_NE(pages[1]["table"]["backgroundView"]["imageSize"][0], 130);
    EXPECT_EQ(pages[2]["table"]["backgroundView"]["imageSize"][0], 130);
}

// The blur value is the blur layer's opacity: 0 leaves the picture as it is, 1 shows only the
// blurred, tinted copy. Read along a line of the background below the rows.
TEST(TableStyling, TheBlurValueDecidesHowMuchOfTheBlurCoversThePicture)
{
    struct Line {
        double brightness { 0 };
        int steepestStep { 0 };
    };
    auto lineOf = [](const Screenshot& shot) {
        Line line;
        std::array<int, 3> previous = shot.at(40, 700);
        for (double x = 40; x < 350; x += 1.0 / 3) {
            auto p = shot.at(x, 700);
            line.brightness += p[0] + p[1] + p[2];
            for (int c = 0; c < 3; ++c)
                line.steepestStep = std::max(line.steepestStep, std::abs(p[c] - previous[c]));
            previous = p;
        }
        return line;
    };
    std::vector<Line> lines;
    for (double blur : { 0.0, 0.5, 1.0 }) {
        TestDevice device;
        auto shot = render(device,
            { { "isCustomBackgroundImageEnabled", true }, { "backgroundImageBlurValue", blur },
                { "backgroundImageLight", kLightPicture } },
            "about");
        ASSERT_TRUE(shot);
        lines.push_back(lineOf(*shot));
    }
    // The picture's stripes meet in steps; the blur smooths them and its tint darkens them.
    EXPECT_GT(lines[0].steepestStep, 8);
    EXPECT_LT(lines[2].steepestStep * 4, lines[0].steepestStep);
    EXPECT_GT(lines[0].brightness, lines[1].brightness);
    EXPECT_GT(lines[1].brightness, lines[2].brightness);
}

TEST(TableStyling, TheBackgroundColourPaintsTablesOfPreferencePages)
{
    TestDevice device;
    json on = dumpPage(device, { { "isCustomBackgroundColor", true }, { "colorBackground", "#2040C0" } }, "about");
    EXPECT_EQ(on["table"]["background"], "#2040C0FF");
    json off = dumpPage(device, { { "colorBackground", "#2040C0" } }, "about");
    EXPECT_NE(off["table"]["background"], "#2040C0FF");
    EXPECT_EQ(off["table"]["backgroundView"], nullptr);
}

TEST(TableStyling, SeparatorsGoOnlyWhenTheSettingSaysSo)
{
    for (bool disabled : { true, false }) {
        TestDevice device;
        auto cells = allCells(dumpPage(device, { { "isSeperatorsDisabled", disabled } }, "about"));
        bool anySeparator
            = std::any_of(cells.begin(), cells.end(), [](const json& c) { return c["separator"] == true; });
        EXPECT_EQ(anySeparator, !disabled);
    }
}

TEST(TableStyling, SectionTitlesAreCentredOnlyWithBothSettings)
{
    struct Case {
        bool labels, submenus, centred;
    } cases[] = { { true, true, true }, { true, false, false }, { false, true, false } };
    for (auto c : cases) {
        TestDevice device;
        json titles = dumpPage(device, { { "isCenterLabels", c.labels }, { "isCenterLabelsOnSubmenus", c.submenus } },
            "snowboard")["table"]["sectionTitles"];
        ASSERT_FALSE(titles.empty());
        ASSERT_TRUE(titles[0].contains("header")) << titles;
        EXPECT_EQ(titles[0]["header"]["text"], "THEMES");
        EXPECT_EQ(titles[0]["header"]["alignment"] == 1, c.centred) << c.labels << c.submenus;
    }
}

// Every picture of a General page row and every label showing 1, 2, 3 or 4 goes: the badge,
// and also a version such as 14.4. Other labels and other pages keep theirs.
TEST(TableStyling, TheGeneralPageHidesTheUpdateBadgeAndEveryLabelWithItsDigits)
{
    for (bool hide : { true, false }) {
        TestDevice device;
        auto& rows = device.description()["pages"]["PSGGeneralController"];
        rows.push_back(
            { { "id", "VERSION" }, { "name", "iOS Version" }, { "cell", "PSTitleValueCell" }, { "value", "14.4" } });
        rows.push_back(
            { { "id", "AIRDROP" }, { "name", "AirDrop" }, { "cell", "PSTitleValueCell" }, { "value", "Off" } });
        json page = dumpPage(device, { { "isSoftwareUpdateBadgeEnabled", hide } }, "general-settings");
        json badge = cellOf(page, "SOFTWARE_UPDATE_LINK")["contentViews"];
        ASSERT_EQ(badge.size(), 2u);
        EXPECT_EQ(badge[0]["class"], "UIImageView");
        EXPECT_EQ(badge[0]["hidden"], hide);
        EXPECT_EQ(badge[1]["text"], "1");
        EXPECT_EQ(badge[1]["hidden"], hide);
        EXPECT_EQ(cellOf(page, "VERSION")["detail"]["hidden"], hide);
        EXPECT_EQ(cellOf(page, "AIRDROP")["detail"]["hidden"], false);
        EXPECT_EQ(cellOf(dumpPage(device, { { "isSoftwareUpdateBadgeEnabled", hide } }, "keyboards"),
                      "KEYBOARDS")["detail"]["hidden"],
            false);
    }
}

TEST(TableStyling, AccessoryImagesTakeTheUserColourAsTemplates)
{
    TestDevice device;
    json on = cellOf(
        dumpPage(device, { { "isCustomAccessoryColorEnabled", true }, { "colorAccessory", "#FF0000" } }, "about"),
        "SerialNumber");
    json tinted
        = cellOf(dumpPage(device, { { "isCustomAccessoryColorEnabled", true }, { "colorAccessory", "#FF0000" } },
                     "general-settings"),
            "About")["accessoryImage"];
    EXPECT_EQ(on["accessoryImage"], nullptr) << "a row without accessory has nothing to tint";
    EXPECT_EQ(tinted["tint"], "#FF0000FF");
    EXPECT_EQ(tinted["template"], true);
    json plain
        = cellOf(dumpPage(device, { { "colorAccessory", "#FF0000" } }, "general-settings"), "About")["accessoryImage"];
    EXPECT_NE(plain["tint"], "#FF0000FF");
}

TEST(TableStyling, TheLargeTitleIsCentredAndColouredWhileOtherLabelsStayWhereTheHostPutsThem)
{
    TestDevice device;
    json on = dumpPage(
        device, { { "centerTitle", true }, { "isCustomTitleColor", true }, { "colorTitle", "#00AA00" } }, "root");
    json off = dumpPage(device, { { "centerTitle", false }, { "colorTitle", "#00AA00" } }, "root");
    json title = on["navigationBar"]["largeTitle"];
    ASSERT_EQ(title["shown"], true);
    EXPECT_DOUBLE_EQ(title["frame"][0].get<double>() + title["frame"][2].get<double>() / 2, 195);
    EXPECT_EQ(title["color"], "#00AA00FF");
    EXPECT_EQ(off["navigationBar"]["largeTitle"]["frame"][0], 16);
    EXPECT_NE(off["navigationBar"]["largeTitle"]["color"], "#00AA00FF");
    EXPECT_EQ(cellOf(on, "APPLE_ACCOUNT")["text"]["frame"], cellOf(off, "APPLE_ACCOUNT")["text"]["frame"]);
}
