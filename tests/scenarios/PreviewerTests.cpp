#include <gtest/gtest.h>

#include <fstream>
#include <pty.h>
#include <regex>
#include <sys/wait.h>
#include <unistd.h>

#include "SimHarness.h"
#include "unit/imageio/GifFixtures.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// Runs the simulator with a terminal for standard output and standard error, as a person at a
// shell does; returns what the terminal showed.
std::string runSimOnTerminal(const std::vector<std::string>& args)
{
    int terminal = -1;
    winsize size { 50, 200, 0, 0 };
    std::string program = simProgram();
    pid_t pid = forkpty(&terminal, nullptr, nullptr, &size);
    if (pid == 0) {
        std::vector<std::string> copies = args;
        std::vector<char*> argv { program.data() };
        for (auto& a : copies)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    std::string shown;
    char buffer[4096];
    ssize_t n;
    // Reading ends with an error once the child has closed its side of the terminal.
    while ((n = read(terminal, buffer, sizeof buffer)) > 0)
        shown.append(buffer, size_t(n));
    close(terminal);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << shown;
    return shown;
}

size_t lineCount(const std::string& text)
{
    return size_t(std::count(text.begin(), text.end(), '\n'));
}

const json* optionNamed(const json& report, const std::string& section, const std::string& key)
{
    for (auto& option : report[section])
        if (option["key"] == key)
            return &option;
    return nullptr;
}

}

TEST(OptionChecks, MistakesOnTheCommandLineAreOneHelpfulLine)
{
    TestDevice device;
    struct Case {
        const char* set;
        const char* message;
    } cases[] = {
        { "isbannerenabled=true", "unknown option \"isbannerenabled\" (did you mean isBannerEnabled?)" },
        { "isBanerEnabled=true", "(did you mean isBannerEnabled?)" },
        { "yOfset=3", "(did you mean yOffset or yOffset2?)" },
        { "nosuchkey=1", "unknown option \"nosuchkey\" (the closest are " },
        { "isBannerEnabled=maybe", "isBannerEnabled is a boolean: expected true or false, not \"maybe\"" },
        { "tableViewCellHeight=6.5", "tableViewCellHeight is an integer: expected a whole number" },
        { "xOff=", "xOff is an integer" },
        { "accountImagePosition=4294967296", "accountImagePosition is a 32-bit integer" },
        { "backgroundImageBlurValue=nan", "backgroundImageBlurValue is a float: expected a number" },
        { "colorBorder=red", "colorBorder is a colour: expected six or eight hexadecimal digits" },
        { "colorBorder=#12345", "colorBorder is a colour" },
    };
    for (auto& c : cases) {
        auto result = device.run({ "--set", c.set, "dump", "root" });
        EXPECT_EQ(result.exitCode, 1) << c.set;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.set << ": " << result.err;
        EXPECT_EQ(lineCount(result.err), 1u) << result.err;
        EXPECT_TRUE(result.out.empty()) << c.set;
    }
}

TEST(OptionChecks, SetValuesTakeTheKindOfTheirOption)
{
    TestDevice device;
    auto result = device.run({ "--set", "titleValue=42", "--set", "isBannerEnabled=YES", "--set", "isSearchHidden=1",
        "--set", "backgroundImageBlurValue=1", "--set", "colorBorder=#FF0000", "--set", "colorTitle=000000", "options",
        "--json" });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    json report = result.json();
    // A title that looks like a number is still a title, not a number the title ignores.
    EXPECT_EQ((*optionNamed(report, "firstPass", "titleValue"))["value"], "42");
    EXPECT_EQ((*optionNamed(report, "firstPass", "isBannerEnabled"))["value"], true);
    EXPECT_EQ((*optionNamed(report, "firstPass", "isSearchHidden"))["value"], true);
    EXPECT_EQ((*optionNamed(report, "secondPass", "backgroundImageBlurValue"))["value"], 1.0);
    const json* border = optionNamed(report, "colors", "colorBorder");
    ASSERT_TRUE(border);
    EXPECT_EQ((*border)["value"], "#FF0000");
    EXPECT_EQ((*border)["changed"], true);
    EXPECT_EQ((*optionNamed(report, "colors", "colorTitle"))["changed"], false) << "stored as its own fallback";
}

TEST(OptionChecks, PrefsFilesAreCheckedWithWarningsAndStillApplied)
{
    TestDevice device;
    device.writePlist("/tmp/prefs.plist",
        { { "isBannerEnabled", "maybe" }, { "keyOfAnotherVersion", true }, { "tableViewCellHeight", 70.5 },
            { "colorBorder", "zzz" }, { "bannerHeight", "120" }, { "xOff", 7 }, { "isBanerEnabled", true } });
    auto result = device.run({ "--prefs", device.file("/tmp/prefs.plist").string(), "options", "--json" });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const char* expected[] = {
        "warning: " /* file name, then */,
        "colorBorder holds text \"zzz\"; it is a colour",
        "isBanerEnabled\" (did you mean isBannerEnabled?)",
        "isBannerEnabled holds text \"maybe\"; it is a boolean",
        "unknown option \"keyOfAnotherVersion\"",
        "tableViewCellHeight holds a number; it is an integer",
    };
    for (auto* text : expected)
        EXPECT_NE(result.err.find(text), std::string::npos) << text << "\n" << result.err;
    EXPECT_EQ(lineCount(result.err), 5u) << "text that reads as the kind and fitting values pass: " << result.err;
    json report = result.json();
    EXPECT_EQ((*optionNamed(report, "firstPass", "xOff"))["value"], 7);
    EXPECT_EQ((*optionNamed(report, "firstPass", "bannerHeight"))["value"], 120);
}

TEST(OptionsCommand, EveryOptionSaysWhatItChanges)
{
    TestDevice device;
    device.setPreferences(json::object());
    auto result = device.run({ "--set", "isBannerEnabled=true", "options" });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    json report = result.json();
    ASSERT_TRUE(report.is_object()) << "JSON when the output is not a terminal";
    size_t options = 0;
    for (const char* section : { "firstPass", "secondPass", "colors", "pictures" }) {
        for (auto& option : report[section]) {
            ++options;
            std::string text = option.value("description", "");
            EXPECT_FALSE(text.empty()) << option["key"];
            EXPECT_EQ(text.find('\n'), std::string::npos) << option["key"];
            EXPECT_EQ(option["changed"], option["key"] == "isBannerEnabled") << option["key"];
        }
    }
    EXPECT_GT(options, 130u) << "the passes, the colours and the pictures";

    std::string shown
        = runSimOnTerminal({ "--device", device.path().string(), "--set", "isBannerEnabled=true", "options" });
    EXPECT_EQ(shown.find('{'), std::string::npos) << "a table, not JSON, on a terminal";
    EXPECT_NE(shown.find("WHAT IT CHANGES"), std::string::npos);
    std::smatch line;
    ASSERT_TRUE(
        std::regex_search(shown, line, std::regex("isBannerEnabled +boolean +false +\\*true +Shows the banner")))
        << shown.substr(0, 2000);
    EXPECT_TRUE(std::regex_search(shown, std::regex("colorBorder +colour +ffffff +- +Row border")))
        << shown.substr(0, 2000);
}

TEST(FullPages, RenderDrawsTheWholePageBelowTheBars)
{
    TestDevice device;
    fs::path screen = device.file("/tmp/screen.png"), whole = device.file("/tmp/whole.png");
    fs::create_directories(screen.parent_path());
    // Settings without the library keeps its long root list: far more than a screen of rows.
    ASSERT_EQ(device.run({ "--no-tweak", "render", "root", "--out", screen.string() }).exitCode, 0);
    auto result = device.run({ "--no-tweak", "render", "root", "--full", "--out", whole.string() });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    auto top = readScreenshot(screen), all = readScreenshot(whole);
    ASSERT_TRUE(top && all);
    EXPECT_EQ(all->width, top->width);
    ASSERT_GT(all->height, 2 * top->height);
    // The status bar, the navigation bar and the first rows are those of the screen.
    size_t rowBytes = top->width * 4, band = top->height / 3;
    EXPECT_TRUE(std::equal(top->rgba.begin(), top->rgba.begin() + long(band * rowBytes), all->rgba.begin()));

    // Each section is a white card on the grey page; a column inside the cards' left margin
    // meets one white run per section, the last one included.
    json page = device.run({ "--no-tweak", "dump", "root" }).json();
    size_t sections = 0;
    for (auto& section : page["sections"])
        sections += section["rows"].empty() ? 0 : 1;
    double scale = device.description()["screen"]["scale"];
    size_t column = size_t(20 * scale), runs = 0, length = 0;
    for (size_t y = 0; y < all->height; ++y) {
        const std::uint8_t* p = all->pixel(column, y);
        bool white = p[0] > 250 && p[1] > 250 && p[2] > 250;
        length = white ? length + 1 : 0;
        runs += length == size_t(20 * scale) ? 1 : 0; // a card is at least a row high
    }
    EXPECT_EQ(runs, sections);
}

TEST(FullPages, APageTallerThanAnImageCanHoldIsDrawnAsFarAsItReaches)
{
    TestDevice device;
    for (int i = 0; i < 300; ++i)
        device.description()["rootList"].push_back(
            { { "id", "ROW_" + std::to_string(i) }, { "name", "Row " + std::to_string(i) }, { "cell", "PSLinkCell" } });
    fs::path whole = device.file("/tmp/whole.png");
    fs::create_directories(whole.parent_path());
    auto result = device.run({ "--no-tweak", "render", "root", "--full", "--out", whole.string() });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("warning: the whole page is"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("whole.png shows its first"), std::string::npos) << result.err;
    auto image = readScreenshot(whole);
    ASSERT_TRUE(image);
    EXPECT_GT(image->height, 32000u);
    EXPECT_LE(image->height, 32767u);
}

TEST(Shots, WriteAGalleryOfStockAndRestyledPagesWithTheOptionsInForce)
{
    TestDevice device;
    fs::path out = device.file("/tmp/shots");
    // A picture left by an earlier run, of a page stock Settings does not have.
    fs::create_directories(out / "stock");
    std::ofstream(out / "stock/connectivity-light.png") << "stale";
    auto result = device.run({ "--set", "isBannerEnabled=true", "--set", "titleValue=<script>x</script>", "shots",
        "--full", "--out", out.string() });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err.find("page"), std::string::npos) << "no progress when standard error is no terminal";
    ASSERT_FALSE(result.out.empty());
    std::string lastLine = result.out.substr(result.out.rfind('\n', result.out.size() - 2) + 1);
    EXPECT_EQ(lastLine, (out / "index.html").string() + "\n");

    std::string html = readText(out / "index.html");
    std::vector<std::string> images;
    std::regex image("<img src=\"([^\"]+)\"");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), image); it != std::sregex_iterator(); ++it)
        images.push_back((*it)[1]);
    for (const char* expected : { "root-light.png", "root-dark.png", "stock/root-light.png", "stock/root-dark.png",
             "connectivity-dark.png", "stock/about-light.png" })
        EXPECT_NE(std::find(images.begin(), images.end(), expected), images.end()) << expected;
    for (auto& src : images)
        EXPECT_TRUE(fs::is_regular_file(out / src)) << src;
    EXPECT_FALSE(fs::exists(out / "stock/connectivity-light.png"));
    EXPECT_EQ(std::count(images.begin(), images.end(), "stock/connectivity-light.png"), 0);
    EXPECT_EQ(html.find("http"), std::string::npos) << "nothing from the network";
    EXPECT_EQ(html.find("<script"), std::string::npos) << "an option's text is shown, never run";
    EXPECT_NE(html.find("&lt;script&gt;x&lt;/script&gt;"), std::string::npos);
    EXPECT_TRUE(std::regex_search(html, std::regex("<tr class=\"changed\" id=\"option-isBannerEnabled\">")));
    EXPECT_TRUE(std::regex_search(html, std::regex("<tr id=\"option-isSearchHidden\">")));

    // --full: the stock root list is much taller than a screen.
    auto stockRoot = readScreenshot(out / "stock/root-light.png");
    ASSERT_TRUE(stockRoot);
    double scale = device.description()["screen"]["scale"], height = device.description()["screen"]["height"];
    EXPECT_GT(stockRoot->height, size_t(2 * height * scale));
}

// Several devices go into one gallery, a section each under the device folder's name, every
// picture it shows drawn for that device at that device's size.
TEST(Gallery, DrawsEachDeviceIntoASectionOfItsOwn)
{
    TestDevice phone("ios14"), other;
    fs::path folders = phone.path().parent_path() / "folders";
    fs::create_directories(folders);
    fs::create_symlink(phone.path(), folders / "small");
    fs::create_symlink(other.path(), folders / "large");
    fs::path out = phone.file("/tmp/gallery");
    auto result
        = runSim({ "gallery", "--out", out.string(), (folders / "small").string(), (folders / "large").string() });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out.substr(result.out.rfind('\n', result.out.size() - 2) + 1), (out / "index.html").string() + "\n");

    std::string html = readText(out / "index.html");
    size_t small = html.find("<section id=\"device-small\">"), large = html.find("<section id=\"device-large\">");
    ASSERT_NE(small, std::string::npos);
    ASSERT_NE(large, std::string::npos);
    EXPECT_LT(small, large) << "the devices keep the order they were named in";
    EXPECT_NE(html.find("iOS 14.8, 375 \u00d7 667 points at 2\u00d7"), std::string::npos);
    std::regex image("<img src=\"([^\"]+)\"");
    size_t images = 0;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), image); it != std::sregex_iterator(); ++it, ++images)
        EXPECT_TRUE(fs::is_regular_file(out / (*it)[1].str())) << (*it)[1];
    EXPECT_GT(images, 40u);
    for (auto [device, width] : { std::pair { "small", 750u }, std::pair { "large", 1170u } }) {
        auto root = readScreenshot(out / device / "stock/root-dark.png");
        ASSERT_TRUE(root) << device;
        EXPECT_EQ(root->width, width) << device;
        EXPECT_TRUE(fs::is_regular_file(out / device / "index.html")) << "the device's own page, with its options";
    }
}

// A gallery that cannot be drawn whole fails before the first device is drawn.
TEST(Gallery, RefusesWhatItCannotDrawBeforeDrawing)
{
    TestDevice device;
    fs::path out = device.file("/tmp/gallery");
    fs::path empty = device.path().parent_path() / "empty";
    fs::create_directories(empty);
    struct Case {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        { { "gallery", "--out", out.string() }, "at least one device folder" },
        { { "gallery", "--out", out.string(), empty.string() }, "device.json" },
        { { "gallery", "--out", out.string(), device.path().string(), device.path().string() + "/" },
            "two device folders are named device" },
        { { "--device", device.path().string(), "gallery", "--out", out.string(), device.path().string() },
            "leave out --device" },
    };
    for (auto& c : cases) {
        auto result = runSim(c.args);
        EXPECT_EQ(result.exitCode, 1) << c.says;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(out / "device")) << c.says;
    }
}

TEST(Shots, ShowProgressOnATerminal)
{
    TestDevice device;
    std::string shown = runSimOnTerminal(
        { "--device", device.path().string(), "shots", "--out", device.file("/tmp/shots").string() });
    EXPECT_NE(shown.find("restyled: page 1 of 17 (root)"), std::string::npos) << shown;
    EXPECT_NE(shown.find("restyled: page 17 of 17"), std::string::npos) << shown;
    EXPECT_NE(shown.find("stock: page 17 of 17"), std::string::npos) << shown;
}

TEST(Gif, FramesAreTheCompositedCanvasAndGoodFilesAreQuiet)
{
    TestDevice device;
    // A red canvas, then a green patch with a transparent pixel drawn over it, then a blue
    // patch over a canvas cleared to transparent by the previous frame's disposal.
    TestGif gif { 4, 2, kTestColors, 0, {} };
    gif.frames.push_back(solidFrame(0, 0, 4, 2, Red));
    gif.frames.push_back(solidFrame(1, 0, 2, 1, Green));
    gif.frames.back().indices[1] = White;
    gif.frames.back().transparentIndex = White;
    gif.frames.back().disposal = 2;
    gif.frames.push_back(solidFrame(3, 1, 1, 1, Blue));
    for (auto& frame : gif.frames)
        frame.delay = 10;
    // A delay of 0 is rounded up, with a note that is no warning.
    gif.frames[0].delay = 0;
    auto bytes = writeGif(gif);
    device.writeFile("/tmp/a.gif", std::string(bytes.begin(), bytes.end()));
    fs::path frames = device.file("/tmp/frames");
    auto result = runSim({ "gif", device.file("/tmp/a.gif").string(), "--frames", frames.string() });
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "") << "a good GIF prints no notes, only warnings and errors";
    json info = result.json();
    auto expected = expectedPictures(gif);
    ASSERT_EQ(info["frameFiles"].size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        auto pixels = readScreenshot(info["frameFiles"][i].get<std::string>());
        ASSERT_TRUE(pixels);
        ASSERT_EQ(pixels->width, 4u);
        ASSERT_EQ(pixels->height, 2u);
        Picture seen;
        for (size_t y = 0; y < 2; ++y) {
            seen.emplace_back();
            for (size_t x = 0; x < 4; ++x) {
                const std::uint8_t* p = pixels->pixel(x, y);
                char letter = p[3] == 0             ? '.'
                    : p[3] != 255                   ? '?'
                    : p[0] == 255 && !p[1] && !p[2] ? 'R'
                    : !p[0] && p[1] == 255 && !p[2] ? 'G'
                    : !p[0] && !p[1] && p[2] == 255 ? 'B'
                                                    : '?';
                seen.back() += letter;
            }
        }
        EXPECT_EQ(seen, expected[i]) << "frame " << i;
    }

    auto verbose = runSim({ "gif", "--verbose", device.file("/tmp/a.gif").string() });
    EXPECT_EQ(verbose.exitCode, 0);
    EXPECT_NE(verbose.err.find("Rounding frame 0"), std::string::npos) << "--verbose shows the model's notes";
    auto broken = runSim({ "gif", device.file("/tmp/frames/frame-000.png").string() });
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_NE(broken.err.find("is not a GIF"), std::string::npos) << broken.err;
    auto noFolder = runSim({ "gif", device.file("/tmp/a.gif").string(), "--frames" });
    EXPECT_EQ(noFolder.exitCode, 1);
    EXPECT_NE(noFolder.err.find("--frames DIR"), std::string::npos) << noFolder.err;
}
