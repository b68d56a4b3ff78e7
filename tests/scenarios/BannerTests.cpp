#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "SimHarness.h"
#include "unit/imageio/GifFixtures.h"

using nlohmann::json;

namespace {

constexpr char kBannerPath[] = "/var/mobile/Library/Banner.gif";
// Neither a GIF nor any picture, with a zero byte inside.
constexpr char kRandomBytes[] = "\x13\x37\xca\xfe\x00\x42 not a picture";

// Frames of one colour each, red, green, blue and white in turn, `delay` hundredths apiece.
std::string animation(int frames, int delay, std::optional<int> loops = 0, int width = 8, int height = 4)
{
    TestGif gif { width, height, kTestColors, loops, {} };
    for (int i = 0; i < frames; ++i) {
        gif.frames.push_back(solidFrame(0, 0, width, height, static_cast<std::uint8_t>(i % 4)));
        gif.frames.back().delay = delay;
    }
    auto bytes = writeGif(gif);
    return std::string(bytes.begin(), bytes.end());
}

std::string sourceFile(const std::string& path)
{
    std::ifstream in(std::string(TAM_SOURCE_DIR) + "/" + path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A device whose banner is the given file, shown on the root list.
void useBanner(TestDevice& device, const std::string& contents)
{
    device.writeFile(kBannerPath, contents);
    device.setPreferences({ { "isBannerEnabled", true }, { "bannerImage", kBannerPath } });
}

// A GIF whose one frame is 65535 x 65535 points on a 16 x 16 screen: the model is made, but its
// only frame is dropped undecoded, so it has nothing to play.
std::string gifWithoutADecodableFrame()
{
    auto gif = writeGif({ 16, 16, kTestColors, 0, {} });
    gif.pop_back(); // the trailer
    gif.insert(gif.end(), { 0x2C, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x40, 2, 2, 0x44, 0x01, 0, 0x3B });
    return std::string(gif.begin(), gif.end());
}

std::vector<json> runScript(TestDevice& device, const std::string& steps)
{
    auto result = device.runScript(steps);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return result.jsonLines();
}

}

TEST(Banner, GifPlaysAtTheRateItsDelaysNeedAndPausesInTheBackground)
{
    TestDevice device;
    useBanner(device, animation(4, 10));
    auto dumps
        = runScript(device, "advance 1\ndump\nbackground\ndump\nadvance 1\ndump\nforeground\nadvance 0.5\ndump\n");
    ASSERT_EQ(dumps.size(), 4u);
    json playing = dumps[0]["banner"], paused = dumps[1]["banner"], later = dumps[2]["banner"],
         resumed = dumps[3]["banner"];
    EXPECT_EQ(playing["kind"], "gif");
    EXPECT_EQ(playing["frameCount"], 4);
    // Loop count 0 plays for ever: the countdown starts at the largest unsigned value.
    EXPECT_EQ(playing["loopCount"], 0);
    EXPECT_GT(playing["loopCountdown"].get<std::uint64_t>(), std::uint64_t(1) << 63);
    EXPECT_EQ(playing["displayLink"]["preferredFramesPerSecond"], 10);
    EXPECT_EQ(playing["displayLink"]["paused"], false);
    EXPECT_EQ(playing["animating"], true);
    // Ten refreshes a second, not sixty.
    EXPECT_LE(playing["displayLink"]["refreshes"].get<int>(), 11);

    EXPECT_EQ(paused["displayLink"]["paused"], true);
    EXPECT_EQ(later["currentFrameIndex"], paused["currentFrameIndex"]);
    EXPECT_EQ(later["displayLink"]["refreshes"], paused["displayLink"]["refreshes"]);

    EXPECT_EQ(resumed["displayLink"]["paused"], false);
    EXPECT_GE(resumed["displayLink"]["refreshes"].get<int>(), later["displayLink"]["refreshes"].get<int>() + 4);
}

TEST(Banner, LoopCountTwoPlaysTwoLoopsAndStops)
{
    TestDevice device;
    useBanner(device, animation(3, 10, 2));
    auto dumps = runScript(device, "advance 0.3\ndump\nadvance 2\ndump\n");
    ASSERT_EQ(dumps.size(), 2u);
    EXPECT_EQ(dumps[0]["banner"]["loopCountdown"], 2);
    EXPECT_EQ(dumps[0]["banner"]["animating"], true);
    json done = dumps[1]["banner"];
    EXPECT_EQ(done["loopCountdown"], 0);
    EXPECT_EQ(done["animating"], false);
    EXPECT_EQ(done["displayLink"]["paused"], true);
}

TEST(Banner, StillPicturesAndBadPicturesGiveAStillOrAnEmptyBanner)
{
    std::string gif = animation(3, 10);
    std::string png = sourceFile("devices/default/var/jb/Library/PreferenceBundles/AuroraPrefs.bundle/icon.png");
    ASSERT_FALSE(png.empty());
    TestGif zeroFrames { 4, 4, kTestColors, 0, {} };
    auto zero = writeGif(zeroFrames);
    struct Case {
        const char* name;
        std::optional<std::string> contents; // nothing: no file at the path
        const char* kind;
    } cases[] = {
        { "png", png, "still" },
        { "png named .gif", png, "still" },
        { "one-frame gif", animation(1, 10), "gif" },
        { "truncated gif", gif.substr(0, gif.size() / 2), "gif" },
        { "gif cut inside its header", gif.substr(0, 8), "empty" },
        { "zero-frame gif", std::string(zero.begin(), zero.end()), "empty" },
        { "random bytes", std::string(kRandomBytes, sizeof kRandomBytes - 1), "empty" },
        { "missing file", std::nullopt, "empty" },
    };
    for (const auto& c : cases) {
        TestDevice device;
        if (c.contents)
            useBanner(device, *c.contents);
        else
            device.setPreferences({ { "isBannerEnabled", true }, { "bannerImage", kBannerPath } });
        auto dumps = runScript(device, "advance 1\ndump\n");
        ASSERT_EQ(dumps.size(), 1u) << c.name;
        json banner = dumps[0]["banner"];
        EXPECT_EQ(banner["kind"], c.kind) << c.name;
        // The row keeps its height whatever the picture.
        EXPECT_EQ(banner["frame"][3], 100) << c.name;
    }
}

TEST(Banner, PictureStoredAsDataInThePreferences)
{
    TestDevice device;
    std::string gif = animation(2, 5);
    device.setPreferences({ { "isBannerEnabled", true },
        { "bannerImage", json::binary(std::vector<std::uint8_t>(gif.begin(), gif.end())) } });
    auto result = device.run({ "dump", "root" });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    json banner = result.json()["banner"];
    EXPECT_EQ(banner["kind"], "gif");
    EXPECT_EQ(banner["displayLink"]["preferredFramesPerSecond"], 20);
}

TEST(Banner, NoBannerRowShowsNoBanner)
{
    TestDevice device;
    device.setPreferences({ { "bannerImage", kBannerPath } });
    auto result = device.run({ "dump", "root" });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.json()["banner"].is_null());
}

TEST(Banner, CommandWritesTheFramesAsShownAndAGifOfThem)
{
    TestDevice device;
    useBanner(device, animation(4, 10));
    auto out = device.file("/tmp/banner");
    auto result = device.run({ "banner", "--out", out.string(), "2" });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    json summary = result.json();
    auto frames = summary["frames"];
    // Two seconds of 0.1-second frames: about twenty pictures, each shown about 0.1 s.
    EXPECT_GE(frames.size(), 18u);
    EXPECT_LE(frames.size(), 21u);
    for (size_t i = 1; i + 1 < frames.size(); ++i)
        EXPECT_NEAR(frames[i]["duration"].get<double>(), 0.1, 1e-6) << i;
    for (auto& frame : frames)
        EXPECT_TRUE(std::filesystem::is_regular_file(out / frame["file"].get<std::string>()));
    std::ifstream gif(out / "banner.gif", std::ios::binary);
    std::string header(6, '\0');
    gif.read(header.data(), 6);
    EXPECT_EQ(header, "GIF89a");
    // The view woke about ten times a second while it played.
    EXPECT_GE(summary["refreshes"].get<int>(), 19);
    EXPECT_LE(summary["refreshes"].get<int>(), 21);
    // Frames follow each other in play order, wrapping after the fourth.
    for (size_t i = 1; i < frames.size(); ++i)
        EXPECT_EQ(frames[i]["frameIndex"], (frames[i - 1]["frameIndex"].get<int>() + 1) % 4) << i;
}

TEST(Banner, CommandExplainsWhatItNeeds)
{
    TestDevice device;
    device.setPreferences(json::object());
    for (auto args :
        { std::vector<std::string> { "banner", "--out", "/tmp/x", "2" }, std::vector<std::string> { "banner", "2" },
            std::vector<std::string> { "banner", "--out", "/tmp/x", "-1" } }) {
        auto result = device.run(args);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find("banner"), std::string::npos) << result.err;
    }
}

// A banner that cannot play keeps its display link paused: one scrolled off screen when Settings
// comes back from the background, and one whose GIF has no frame that decodes.
TEST(Banner, ABannerThatCannotPlayKeepsItsLinkPaused)
{
    {
        TestDevice device;
        useBanner(device, animation(4, 10));
        auto dumps = runScript(device, "advance 1\ndump\nscroll 900\nbackground\nforeground\nadvance 3\nscroll -900\ndump\n");
        ASSERT_EQ(dumps.size(), 2u);
        json before = dumps[0]["banner"], after = dumps[1]["banner"];
        ASSERT_TRUE(after.is_object());
        EXPECT_EQ(after["displayLink"]["refreshes"], before["displayLink"]["refreshes"])
            << "the link ran while the banner was off screen";
        EXPECT_EQ(after["currentFrameIndex"], before["currentFrameIndex"]);
    }
    {
        TestDevice device;
        useBanner(device, gifWithoutADecodableFrame());
        auto dumps = runScript(device, "advance 2\ndump\n");
        ASSERT_EQ(dumps.size(), 1u);
        json banner = dumps[0]["banner"];
        EXPECT_EQ(banner["kind"], "gif");
        EXPECT_EQ(banner["animating"], false);
        EXPECT_TRUE(banner["displayLink"].is_null() || banner["displayLink"]["refreshes"] == 0) << banner.dump();
    }
}

// Looking at the page does not change its playback: a page dumped every 50 ms shows the frame,
// and has had the refreshes, of one left alone for the same time, since a display link keeps
// the screen's beat however often it is paused, resumed or asked for the rate it has.
TEST(Banner, DumpingAPageOftenDoesNotHoldItsGifBack)
{
    std::string gif = animation(40, 10);
    TestDevice quiet;
    useBanner(quiet, gif);
    auto alone = runScript(quiet, "advance 1.525\ndump\n");
    std::string steps;
    for (int i = 0; i < 30; ++i)
        steps += "advance 0.05\ndump\n";
    steps += "advance 0.025\ndump\n";
    TestDevice busy;
    useBanner(busy, gif);
    auto watched = runScript(busy, steps);
    ASSERT_EQ(alone.size(), 1u);
    ASSERT_EQ(watched.size(), 31u);
    json left = alone[0]["banner"], looked = watched.back()["banner"];
    EXPECT_GE(left["currentFrameIndex"].get<int>(), 14);
    EXPECT_EQ(looked["currentFrameIndex"], left["currentFrameIndex"]);
    EXPECT_EQ(looked["displayLink"]["refreshes"], left["displayLink"]["refreshes"]);
    // The first frame gives way after its delay and one refresh, not after a second or more.
    EXPECT_GE(watched[4]["banner"]["currentFrameIndex"].get<int>(), 1);
}
