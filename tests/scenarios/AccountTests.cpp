#include <gtest/gtest.h>

#include <filesystem>

#include "SimHarness.h"

using nlohmann::json;

namespace {

constexpr const char* kPictureFolder = "/var/mobile/Library/Caches/com.apple.Preferences/";

json rootControls(TestDevice& device, const json& prefs)
{
    auto dumps = scriptDumps(device, prefs, "dump\n");
    return dumps.size() == 1 ? dumps[0]["rootControls"] : json();
}

struct Rect {
    double x, y, w, h;
    explicit Rect(const json& j)
        : x(j[0].get<double>())
        , y(j[1].get<double>())
        , w(j[2].get<double>())
        , h(j[3].get<double>())
    {
    }
    double maxX() const { return x + w; }
    double maxY() const { return y + h; }
    double midX() const { return x + w / 2; }
    double midY() const { return y + h / 2; }
};

}

// The placement examples: x = wrapper width + "xOff" - 20, y = banner offset - "yOffset".
TEST(AccountButton, IsPlacedByItsOffsetsAndTheBanner)
{
    struct Case {
        json prefs;
        json frame;
    } cases[] = {
        { json::object(), { 320.0, -5.0, 40.0, 40.0 } },
        { { { "xOff", -10 }, { "yOffset", -20 } }, { 360.0, 20.0, 40.0, 40.0 } },
        { { { "isBannerEnabled", true }, { "bannerHeight", 150 } }, { 320.0, 145.0, 40.0, 40.0 } },
        { { { "xOff", 9223372036854775807 }, { "yOffset", -9223372036854775807 - 1 } },
            { 9223372036854775807.0, 9223372036854775807.0, 40.0, 40.0 } },
    };
    for (auto& c : cases) {
        TestDevice device;
        json button = rootControls(device, c.prefs)["accountButton"];
        EXPECT_EQ(button["frame"], c.frame) << c.prefs;
    }
}

// The cached picture for the screen's scale, used as it is; else a person symbol that takes the
// tint. A missing picture leaves the button without an image, still there to be tapped.
TEST(AccountButton, ShowsTheCachedPictureOrAPersonSymbol)
{
    struct Case {
        json prefs;
        double scale;
        bool removePicture;
        json image;
    } cases[] = {
        { json::object(), 3, false,
            { { "symbol", "person.crop.circle.fill" }, { "template", true }, { "size", { 22.0, 22.0 } } } },
        { { { "isOtherAccountButtonStyleEnabled", false } }, 3, false,
            { { "symbol", "person.circle.fill" }, { "template", true }, { "size", { 22.0, 22.0 } } } },
        // The device's @3x picture is 180 pixels wide, the @2x one 87.
        { { { "iCloudPfP", true } }, 3, false, { { "template", false }, { "size", { 60.0, 60.0 } } } },
        { { { "iCloudPfP", true } }, 2, false, { { "template", false }, { "size", { 43.5, 43.5 } } } },
        { { { "iCloudPfP", true } }, 3, true, nullptr },
    };
    for (auto& c : cases) {
        TestDevice device;
        device.description()["screen"]["scale"] = c.scale;
        std::filesystem::copy_file(
            packageFile("/var/jb/Library/PreferenceBundles/sorrelPreferences.bundle/TweakIcon.png"),
            device.file(std::string(kPictureFolder) + "AppleAccountIcon@2x.png"));
        if (c.removePicture)
            device.remove(std::string(kPictureFolder) + "AppleAccountIcon@3x.png");
        json button = rootControls(device, c.prefs)["accountButton"];
        ASSERT_TRUE(button.is_object()) << c.prefs;
        EXPECT_EQ(button["image"], c.image) << c.prefs << " at scale " << c.scale;
    }
}

// The custom colours follow the style at build time and at every change of style; without
// them the button is system blue. The button and its image view always agree.
TEST(AccountButton, TintFollowsTheStyle)
{
    struct Case {
        json prefs;
        const char* light;
        const char* dark;
    } cases[] = {
        { { { "isCustomAccColor", true }, { "colorAccountButtonLight", "FF0000" },
              { "colorAccountButtonDark", "00FF00" } },
            "#FF0000FF", "#00FF00FF" },
        { { { "isCustomAccColor", true } }, "#0B84FFFF", "#0B84FFFF" },
        { json::object(), "#007AFFFF", "#0A84FFFF" },
    };
    for (auto& c : cases) {
        TestDevice device;
        auto dumps = scriptDumps(device, c.prefs, "dump\nstyle dark\ndump\n");
        ASSERT_EQ(dumps.size(), 2u);
        for (auto [page, tint] : { std::pair { dumps[0], c.light }, std::pair { dumps[1], c.dark } }) {
            EXPECT_EQ(page["rootControls"]["accountButton"]["tint"], tint) << c.prefs;
            EXPECT_EQ(page["rootControls"]["accountButton"]["imageTint"], tint) << c.prefs;
        }
    }
}

// A tap opens the Apple Account page from the row the root page keeps, under the variable's name
// of the system's version.
TEST(AccountButton, OpensTheAppleAccountPageOnEveryVersion)
{
    for (const char* version : { "16.4", "15.1", "14.8" }) {
        TestDevice device;
        device.description()["systemVersion"] = version;
        auto dumps = scriptDumps(device, json::object(), "button account\ndump\n");
        ASSERT_EQ(dumps.size(), 1u);
        EXPECT_EQ(dumps[0]["class"], "SettingsDetailController") << version;
        EXPECT_EQ(dumps[0]["title"], "Jane Appleseed") << version;
    }
}

// The stock row: the picture 61 points square on the left, alone in the centre, or on the right
// (inside the arrow or at the cell's edge); labels 15 points from it or from the leading edge,
// the title 5 below the picture's top, the subtitle's bottom 10 above its bottom.
TEST(AccountRow, PictureAndLabelsAreLaidOutByPosition)
{
    for (long position : { 0, 1, 2 }) {
        for (bool arrow : { true, false }) {
            TestDevice device;
            json row = rootControls(device,
                { { "stockiCloud", true }, { "accountImagePosition", position },
                    { "isArrowAccessory", arrow } })["accountCell"];
            ASSERT_TRUE(row.is_object());
            SCOPED_TRACE("position " + std::to_string(position) + (arrow ? " with arrow" : ""));
            Rect cell(row["frame"]), picture(row["picture"]["frame"]);
            Rect title(row["title"]["frame"]), subtitle(row["subtitle"]["frame"]);
            EXPECT_EQ(cell.h, 87);
            EXPECT_EQ(picture.w, 61);
            EXPECT_EQ(picture.h, 61);
            EXPECT_EQ(picture.midY(), cell.midY());
            EXPECT_EQ(row["title"]["hidden"], position == 1);
            EXPECT_EQ(row["subtitle"]["hidden"], position == 1);
            if (position == 1) {
                EXPECT_EQ(picture.midX(), cell.midX());
                continue;
            }
            EXPECT_EQ(title.y, picture.y + 5);
            EXPECT_EQ(subtitle.maxY(), picture.maxY() - 10);
            double labels = position == 0 ? picture.maxX() + 15 : cell.x + 15;
            EXPECT_EQ(title.x, labels);
            EXPECT_EQ(subtitle.x, labels);
            if (position == 0)
                EXPECT_EQ(picture.x, cell.x + 10);
            else if (arrow)
                EXPECT_LT(picture.maxX(), cell.maxX() - 10 - 8) << "the picture covers the arrow";
            else
                EXPECT_EQ(picture.maxX(), cell.maxX() - 10);
        }
    }
}

// A custom name and subtitle reach the row on both paths (a list content configuration from
// iOS 16, the labels before); an empty subtitle shows as " " and centres the title vertically.
TEST(AccountRow, CustomTextsAndAnEmptySubtitleCentreTheTitle)
{
    struct Case {
        const char* version;
        const char* subtitle;
        bool centred;
    } cases[] = {
        { "16.4", "", true },
        { "14.8", "", true },
        { "16.4", "Family of four", false },
        { "14.8", "Family of four", false },
    };
    for (auto& c : cases) {
        TestDevice device;
        device.description()["systemVersion"] = c.version;
        json row = rootControls(device,
            { { "stockiCloud", true }, { "isAccCellCustomNameEnabled", true }, { "accCellNameValue", "Jo" },
                { "accCellSubtitleValue", c.subtitle } })["accountCell"];
        ASSERT_TRUE(row.is_object());
        SCOPED_TRACE(std::string(c.version) + " \"" + c.subtitle + "\"");
        EXPECT_EQ(row["title"]["text"], "Jo");
        EXPECT_EQ(row["subtitle"]["text"], *c.subtitle ? c.subtitle : " ");
        Rect cell(row["frame"]), picture(row["picture"]["frame"]), title(row["title"]["frame"]);
        if (c.centred)
            EXPECT_EQ(title.midY(), cell.midY());
        else
            EXPECT_EQ(title.y, picture.y + 5);
    }
}

// A hidden picture leaves the labels 10 points past its leading edge, or, with centred labels,
// spanning the whole cell: the title's frame from x 0, the subtitle 10 below the title's top
// and 50 high.
TEST(AccountRow, HiddenPictureWithAndWithoutCentredLabels)
{
    for (bool centred : { false, true }) {
        TestDevice device;
        json row = rootControls(device,
            { { "stockiCloud", true }, { "isStockiCloudPfpHidden", true },
                { "isCenterLabels", centred } })["accountCell"];
        ASSERT_TRUE(row.is_object());
        SCOPED_TRACE(centred ? "centred" : "not centred");
        EXPECT_EQ(row["picture"]["hidden"], true);
        Rect cell(row["frame"]), title(row["title"]["frame"]), subtitle(row["subtitle"]["frame"]);
        if (!centred) {
            EXPECT_EQ(title.x, cell.x + 20);
            EXPECT_EQ(subtitle.x, cell.x + 20);
            EXPECT_EQ(row["title"]["alignment"], row["subtitle"]["alignment"]);
            EXPECT_NE(row["title"]["alignment"], 1);
            continue;
        }
        EXPECT_EQ(title.x, cell.x);
        EXPECT_EQ(title.w, cell.w);
        EXPECT_EQ(row["title"]["alignment"], 1);
        EXPECT_EQ(row["subtitle"]["alignment"], 1);
        EXPECT_EQ(subtitle.w, cell.w);
        EXPECT_EQ(subtitle.midX(), cell.midX());
        EXPECT_EQ(subtitle.y, title.y + 10);
        EXPECT_EQ(subtitle.h, 50);
    }
}

// Label colours without stored colours are white; with the account button in use the stock row
// is hidden, its colours still set.
TEST(AccountRow, LabelColoursAndTheHiddenRow)
{
    struct Case {
        bool stock;
        bool customColours;
    } cases[] = { { true, true }, { false, true }, { true, false } };
    for (auto& c : cases) {
        TestDevice device;
        json row = rootControls(
            device, { { "stockiCloud", c.stock }, { "isCustomLabelColor", c.customColours } })["accountCell"];
        ASSERT_TRUE(row.is_object());
        EXPECT_EQ(row["hidden"], !c.stock);
        const char* expected = c.customColours ? "#FFFFFFFF" : "#000000FF";
        EXPECT_EQ(row["title"]["color"], expected);
        if (c.customColours) {
            EXPECT_EQ(row["subtitle"]["color"], expected);
        }
    }
}
