#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <httplib.h>
#include <thread>

#include "EditorServerProcess.h"
#include "SimHarness.h"
#include "apps/tamarind-sim/serve/Base64.h"
#include "tamarind/core/OptionTable.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// One server for the tests that only read answers; tests of limits start their own.
class Serve : public testing::Test {
protected:
    static void SetUpTestSuite() { s_server = new EditorServerProcess(); }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_server->running()) << s_server->startOutput(); }

    static httplib::Result post(const std::string& path, const json& body)
    {
        return s_server->client()->Post(path.c_str(), body.dump(), "application/json");
    }
    static EditorServerProcess* s_server;
};
EditorServerProcess* Serve::s_server = nullptr;

json renderBody(json options, std::string page = "root", json taps = json::array())
{
    return { { "page", page }, { "style", "light" }, { "restyled", true }, { "options", options }, { "taps", taps } };
}

json bodyOf(const httplib::Result& result)
{
    return result ? json::parse(result->body, nullptr, false) : json();
}

// The picture of a render answer, written to a file and read back as pixels.
std::optional<Screenshot> pictureOf(const json& answer, const fs::path& file)
{
    auto bytes = decodeBase64(answer.value("picture", ""));
    if (!bytes)
        return std::nullopt;
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes->data()), std::streamsize(bytes->size()));
    return readScreenshot(file);
}

fs::path scratchFolder()
{
    fs::path folder = fs::temp_directory_path() / ("tamarind-serve-test-" + std::to_string(getpid()));
    fs::create_directories(folder);
    return folder;
}

}

TEST_F(Serve, ServesItsOwnPageAndNoFileOfTheDisk)
{
    auto client = s_server->client();
    auto page = client->Get("/");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_NE(page->body.find("/editor.js"), std::string::npos);
    EXPECT_EQ(client->Get("/editor.js")->status, 200);
    EXPECT_EQ(client->Get("/editor.css")->get_header_value("Content-Type").rfind("text/css", 0), 0u);
    for (const char* path : { "/CMakeLists.txt", "/../CMakeLists.txt", "/%2e%2e/%2e%2e/etc/passwd", "/assets/editor.js",
             "/editor.js/../../run", "/api/nothing" })
        EXPECT_EQ(client->Get(path)->status, 404) << path;
}

TEST_F(Serve, ListsEveryOptionInAGroupEveryDeviceFolderAndEveryPage)
{
    auto client = s_server->client();
    json options = bodyOf(client->Get("/api/options"));
    std::set<std::string> keys;
    for (auto& group : options["groups"]) {
        EXPECT_NE(group["title"], "Other options") << "an option has no group: " << group.dump();
        for (auto& option : group["options"]) {
            EXPECT_TRUE(keys.insert(option["key"].get<std::string>()).second) << option["key"];
            EXPECT_FALSE(option["description"].get<std::string>().empty()) << option["key"];
        }
    }
    constexpr auto table = tamarind::optionTable();
    EXPECT_EQ(keys.size(), table.size());

    json devices = bodyOf(client->Get("/api/devices"));
    std::set<std::string> offered;
    for (auto& device : devices["devices"])
        offered.insert(device["name"].get<std::string>());
    for (auto& entry : fs::directory_iterator(fs::path(TAM_SOURCE_DIR) / "devices")) {
        if (fs::exists(entry.path() / "device.json")) {
            EXPECT_TRUE(offered.count(entry.path().filename().string())) << entry.path();
        }
    }
    EXPECT_EQ(devices["initial"], "default");

    json pages = bodyOf(client->Get("/api/pages"));
    EXPECT_NE(std::find(pages["pages"].begin(), pages["pages"].end(), "root"), pages["pages"].end());
    EXPECT_NE(std::find(pages["pages"].begin(), pages["pages"].end(), "about"), pages["pages"].end());
}

TEST_F(Serve, AnswersOnlyRequestsForItsLoopbackNameAndOwnPages)
{
    std::string port = std::to_string(s_server->port());
    struct Case {
        std::string host, origin;
        int status;
    } cases[] = {
        { "127.0.0.1:" + port, "", 200 },
        { "localhost:" + port, "http://localhost:" + port, 200 },
        { "LOCALHOST", "", 200 },
        { "evil.example:" + port, "", 403 }, // a rebound name
        { "127.0.0.1.evil.example", "", 403 },
        { "127.0.0.1:1", "", 403 },
        { "127.0.0.1:" + port, "http://evil.example", 403 }, // a page of another site
        { "127.0.0.1:" + port, "http://127.0.0.1:" + port + ".evil.example", 403 },
    };
    for (auto& c : cases) {
        httplib::Headers headers { { "Host", c.host } };
        if (!c.origin.empty())
            headers.emplace("Origin", c.origin);
        auto result = s_server->client()->Get("/api/pages", headers);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, c.status) << c.host << " " << c.origin;
    }
}

TEST_F(Serve, RefusesMalformedRequestsWithAClearAnswer)
{
    struct Case {
        const char* what;
        std::string body;
        std::string contentType;
        int status;
        std::string says;
    } cases[] = {
        { "not JSON", "{ page: root", "application/json", 400, "not a JSON object" },
        { "a form", "page=root", "application/x-www-form-urlencoded", 415, "must be JSON" },
        { "an unknown option", renderBody({ { "isbannerenabled", true } }).dump(), "application/json", 400,
            "did you mean isBannerEnabled" },
        { "a value of the wrong kind", renderBody({ { "tableViewCellHeight", "tall" } }).dump(), "application/json",
            400, "integer" },
        { "an object for a switch", renderBody({ { "isBannerEnabled", json::object() } }).dump(), "application/json",
            400, "isBannerEnabled" },
        { "a colour that is no colour", renderBody({ { "colorBorder", "red" } }).dump(), "application/json", 400,
            "hexadecimal" },
        { "a picture that is no picture", renderBody({ { "bannerImage", { { "data", "aGVsbG8=" } } } }).dump(),
            "application/json", 400, "no PNG, JPEG or GIF" },
        { "an unknown page", renderBody(json::object(), "nowhere").dump(), "application/json", 400, "unknown page" },
        { "a device path", json { { "device", "../../etc" } }.dump(), "application/json", 400, "unknown device" },
        { "too many taps", renderBody(json::object(), "root", json(std::vector<std::string>(17, "General"))).dump(),
            "application/json", 400, "at most 16" },
        { "a style of neither kind", json { { "style", "sepia" } }.dump(), "application/json", 400, "light or dark" },
    };
    for (auto& c : cases) {
        auto result = s_server->client()->Post("/api/render", c.body, c.contentType.c_str());
        ASSERT_TRUE(result) << c.what;
        EXPECT_EQ(result->status, c.status) << c.what;
        EXPECT_NE(result->body.find(c.says), std::string::npos) << c.what << ": " << result->body;
    }
    json unknown = bodyOf(post("/api/render", renderBody({ { "colorBorder", "red" } })));
    EXPECT_EQ(unknown["key"], "colorBorder");
    // Bodies beyond the limit are refused, and the server goes on answering.
    auto huge = s_server->client()->Post("/api/import", std::string(std::size_t(25) << 20, 'x'), "application/octet-stream");
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->status, 413);
    EXPECT_EQ(s_server->client()->Get("/api/pages")->status, 200);
}

TEST_F(Serve, RendersTheLookAndAnswersTheSameRequestFromItsCache)
{
    fs::path folder = scratchFolder();
    json plain = bodyOf(post("/api/render", renderBody(json::object())));
    json red = bodyOf(post("/api/render",
        renderBody({ { "isCustomBackgroundColor", true }, { "colorBackground", "FF0000" }, { "isCustomTableViewColor", true },
            { "colorBackgroundTableLight", "FF0000" } })));
    ASSERT_TRUE(plain.contains("picture")) << plain.dump().substr(0, 400);
    ASSERT_TRUE(red.contains("picture")) << red.dump().substr(0, 400);
    EXPECT_NE(plain["picture"], red["picture"]);
    auto shot = pictureOf(red, folder / "red.png");
    ASSERT_TRUE(shot);
    size_t reddish = 0;
    for (size_t i = 0; i + 3 < shot->rgba.size(); i += 4)
        reddish += shot->rgba[i] > 200 && shot->rgba[i + 1] < 60 && shot->rgba[i + 2] < 60;
    EXPECT_GT(reddish, shot->rgba.size() / 4 / 10);
    EXPECT_FALSE(red["rows"].empty());

    json before = bodyOf(s_server->client()->Get("/api/status"));
    json again = bodyOf(post("/api/render", renderBody(json::object())));
    json after = bodyOf(s_server->client()->Get("/api/status"));
    EXPECT_EQ(again["picture"], plain["picture"]);
    EXPECT_EQ(after["rendersRun"], before["rendersRun"]);
    fs::remove_all(folder);
}

TEST_F(Serve, APressOnARowOpensThePageBehindIt)
{
    json root = bodyOf(post("/api/render", renderBody(json::object())));
    ASSERT_TRUE(root.contains("rows")) << root.dump().substr(0, 400);
    auto general = std::find_if(root["rows"].begin(), root["rows"].end(), [](auto& r) { return r["id"] == "General"; });
    ASSERT_NE(general, root["rows"].end());
    EXPECT_GT((*general)["height"].get<double>(), 0);
    json opened = bodyOf(post("/api/render", renderBody(json::object(), "root", { "General" })));
    EXPECT_EQ(opened.value("title", ""), "General") << opened.dump().substr(0, 400);
    EXPECT_NE(opened["picture"], root["picture"]);
    auto missing = post("/api/render", renderBody(json::object(), "root", { "NO_SUCH_ROW" }));
    EXPECT_EQ(missing->status, 422);
    EXPECT_NE(missing->body.find("NO_SUCH_ROW"), std::string::npos) << missing->body;
}

TEST_F(Serve, ImportsEveryFormWithWarningsByKey)
{
    std::string xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
<key>isBannerEnabled</key><true/>
<key>tableViewCellHeight</key><string>tall</string>
<key>isbannerenabled</key><true/>
<key>colorBorder</key><string>00FF00</string>
</dict></plist>)";
    json answer = bodyOf(s_server->client()->Post("/api/import", xml, "application/octet-stream"));
    EXPECT_EQ(answer["options"], json({ { "isBannerEnabled", true }, { "colorBorder", "00FF00" } }));
    ASSERT_EQ(answer["warnings"].size(), 2u) << answer.dump();
    EXPECT_EQ(answer["warnings"][0]["key"], "isbannerenabled");
    EXPECT_FALSE(answer["warnings"][0]["known"]);
    EXPECT_NE(answer["warnings"][0]["message"].get<std::string>().find("did you mean isBannerEnabled"), std::string::npos);
    EXPECT_EQ(answer["warnings"][1]["key"], "tableViewCellHeight");
    EXPECT_TRUE(answer["warnings"][1]["known"]);

    json oldStyle = bodyOf(s_server->client()->Post("/api/import", "{ isSmallTitle = 1; titleValue = \"Hi\"; }", "text/plain"));
    EXPECT_EQ(oldStyle["options"], json({ { "isSmallTitle", true }, { "titleValue", "Hi" } }));

    auto binary = post("/api/export", { { "format", "binary" }, { "options", { { "xOff", 12 } } } });
    json fromBinary = bodyOf(s_server->client()->Post("/api/import", binary->body, "application/octet-stream"));
    EXPECT_EQ(fromBinary["options"], json({ { "xOff", 12 } }));

    for (std::string bad : { std::string("not a plist at all"), std::string("<plist><array/></plist>") }) {
        auto refused = s_server->client()->Post("/api/import", bad, "application/octet-stream");
        EXPECT_EQ(refused->status, 400) << bad;
        EXPECT_NE(refused->body.find("not a property list dictionary"), std::string::npos) << refused->body;
    }
}

// The editor's promise: what it shows is what the exported file draws.
TEST_F(Serve, AnExportedLookDrawsTheSamePictureWithPrefs)
{
    fs::path folder = scratchFolder();
    json look { { "isCustomNavBarColor", true }, { "colorNavbarLight", "3366CC" }, { "isSmallTitle", true },
        { "tableViewCellHeight", 80 }, { "titleValue", "Mine" } };
    json shown = bodyOf(post("/api/render", renderBody(look)));
    for (std::string format : { "binary", "xml" }) {
        auto exported = post("/api/export", { { "format", format }, { "options", look } });
        ASSERT_EQ(exported->status, 200) << exported->body;
        EXPECT_NE(exported->get_header_value("Content-Disposition").find("com.corvane.sorrelpreferences.plist"),
            std::string::npos);
        EXPECT_EQ(exported->body.rfind(format == "binary" ? "bplist00" : "<?xml", 0), 0u);
        fs::path file = folder / ("exported-" + format + ".plist");
        std::ofstream(file, std::ios::binary) << exported->body;
        auto drawn = runSim({ "--prefs", file.string(), "render", "root", "--out", (folder / "drawn.png").string() });
        ASSERT_EQ(drawn.exitCode, 0) << drawn.err;
        auto expected = pictureOf(shown, folder / "shown.png");
        auto actual = readScreenshot(folder / "drawn.png");
        ASSERT_TRUE(expected && actual);
        EXPECT_EQ(expected->rgba, actual->rgba) << format;
    }
    fs::remove_all(folder);
}

TEST_F(Serve, PlaysTheBanner)
{
    std::string gif = "R0lGODlhAQABAIAAAP8AAP///yH5BAAAAAAALAAAAAABAAEAAAICRAEAOw=="; // one red pixel
    json answer = bodyOf(post("/api/banner",
        renderBody({ { "isBannerEnabled", true }, { "bannerImage", { { "data", gif } } } })));
    ASSERT_TRUE(answer.contains("gif")) << answer.dump().substr(0, 400);
    EXPECT_EQ(decodeBase64(answer["gif"].get<std::string>())->at(0), 'G');
    EXPECT_GE(answer["frames"].get<int>(), 1);
}

TEST(ServeLimits, ARenderOverItsTimeIsStoppedAndTheServerStaysUp)
{
    EditorServerProcess server({ "--render-seconds", "0.05" });
    ASSERT_TRUE(server.running()) << server.startOutput();
    auto result = server.client()->Post("/api/render", renderBody(json::object()).dump(), "application/json");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 504);
    EXPECT_NE(result->body.find("time limit"), std::string::npos) << result->body;
    EXPECT_EQ(server.client()->Get("/api/pages")->status, 200);
}

TEST(ServeLimits, ARenderOutOfMemoryFailsAloneAndTheServerStaysUp)
{
    if (simIsSanitized())
        GTEST_SKIP() << "sanitizer builds run renders without an address-space limit";
    EditorServerProcess server({ "--render-megabytes", "16" });
    ASSERT_TRUE(server.running()) << server.startOutput();
    auto result = server.client()->Post("/api/render", renderBody(json::object()).dump(), "application/json");
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->status == 500 || result->status == 422) << result->status;
    EXPECT_NE(result->body.find("the render"), std::string::npos) << result->body;
    EXPECT_EQ(server.client()->Get("/api/pages")->status, 200);
}

TEST(ServeLimits, AFloodIsRefusedQuicklyAndTheServerStaysUp)
{
    EditorServerProcess server;
    ASSERT_TRUE(server.running()) << server.startOutput();
    std::atomic<int> refused { 0 }, answered { 0 };
    std::vector<std::thread> clients;
    for (int t = 0; t < 8; ++t)
        clients.emplace_back([&] {
            auto client = server.client();
            for (int i = 0; i < 250; ++i) {
                auto result = client->Get("/api/pages");
                if (result && result->status == 429)
                    ++refused;
                else if (result && result->status == 200)
                    ++answered;
            }
        });
    for (auto& c : clients)
        c.join();
    EXPECT_GT(refused.load(), 0);
    EXPECT_GT(answered.load(), 0);
    EXPECT_EQ(refused + answered, 2000);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_EQ(server.client()->Get("/api/pages")->status, 200);
}

TEST(ServeLimits, MoreRendersThanCanWaitAreRefusedAndTheRestDrawn)
{
    EditorServerProcess server;
    ASSERT_TRUE(server.running()) << server.startOutput();
    constexpr int kRequests = 30;
    std::vector<int> statuses(kRequests, 0);
    std::vector<std::thread> clients;
    for (int i = 0; i < kRequests; ++i)
        clients.emplace_back([&, i] {
            auto result = server.client()->Post(
                "/api/render", renderBody({ { "xOff", i } }).dump(), "application/json");
            statuses[i] = result ? result->status : -100 - static_cast<int>(result.error());
        });
    for (auto& c : clients)
        c.join();
    auto count = [&](int status) { return std::count(statuses.begin(), statuses.end(), status); };
    EXPECT_GT(count(429), 0);
    EXPECT_GT(count(200), 0);
    EXPECT_EQ(count(200) + count(429), kRequests) << testing::PrintToString(statuses);
}

TEST(ServeLimits, APortInUseIsNamed)
{
    EditorServerProcess first;
    ASSERT_TRUE(first.running()) << first.startOutput();
    auto second = runSim({ "serve", "--port", std::to_string(first.port()) }, SimBounds { 60, 2048 });
    EXPECT_NE(second.exitCode, 0);
    EXPECT_NE(second.err.find("port " + std::to_string(first.port()) + " is in use"), std::string::npos) << second.err;
    auto bad = runSim({ "serve", "--port", "http" });
    EXPECT_NE(bad.err.find("--port takes"), std::string::npos) << bad.err;
}
