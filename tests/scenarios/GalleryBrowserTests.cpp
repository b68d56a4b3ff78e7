#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "SimHarness.h"

namespace fs = std::filesystem;

namespace {

// Debian's browser, which ./run installs for this test.
std::optional<fs::path> findChromium()
{
    if (const char* chosen = std::getenv("TAMARIND_CHROMIUM"))
        return fs::path(chosen);
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin";
    for (size_t start = 0; start <= folders.size();) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        for (const char* name : { "chromium", "chromium-browser" }) {
            fs::path candidate = fs::path(folders.substr(start, end - start)) / name;
            if (access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    return std::nullopt;
}

// Runs a program with its output and errors in files; its exit code, or -1 when it could not run.
int runProgram(const std::vector<std::string>& args, const fs::path& out, const fs::path& err)
{
    pid_t pid = fork();
    if (pid == 0) {
        int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(o, 1);
        dup2(e, 2);
        std::vector<std::string> copies = args;
        std::vector<char*> argv;
        for (auto& a : copies)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Opens the gallery in a frame and, once everything has loaded, writes what it found into the
// page, which the browser then prints: the number of images and every one that did not load.
constexpr const char* kCheckPage = R"(<!DOCTYPE html>
<html><head><meta charset="utf-8"></head><body>
<iframe id="gallery" src="shots/index.html"></iframe>
<script>
window.addEventListener('load', function () {
  var doc = document.getElementById('gallery').contentDocument;
  var lines = [];
  if (!doc) {
    lines.push('UNREADABLE');
  } else {
    lines.push('IMAGES ' + doc.images.length);
    for (var i = 0; i < doc.images.length; ++i)
      if (!doc.images[i].complete || doc.images[i].naturalWidth === 0)
        lines.push('BROKEN ' + doc.images[i].getAttribute('src'));
    lines.push('CHANGED ' + doc.querySelectorAll('tr.changed').length);
  }
  var result = document.createElement('pre');
  result.id = 'result';
  result.textContent = lines.join('\n');
  document.body.appendChild(result);
});
</script></body></html>
)";

}

TEST(Gallery, OpensInABrowserWithEveryImageLoadedAndNoConsoleError)
{
    auto chromium = findChromium();
    if (!chromium)
        GTEST_SKIP() << "chromium not found: ./run test installs Debian's chromium package for this test";
    TestDevice device;
    device.setPreferences(nlohmann::json::object());
    fs::path work = device.file("/tmp/gallery");
    auto shots = device.run({ "--set", "isBannerEnabled=true", "shots", "--out", (work / "shots").string() });
    ASSERT_EQ(shots.exitCode, 0) << shots.err;
    std::ofstream(work / "check.html") << kCheckPage;

    std::string html = readText(work / "shots/index.html");
    std::regex image("<img ");
    std::ptrdiff_t images
        = std::distance(std::sregex_iterator(html.begin(), html.end(), image), std::sregex_iterator());
    ASSERT_GT(images, 20);

    // The browser may reach nothing outside the folder: every host name fails to resolve.
    int exit
        = runProgram({ "timeout", "180", chromium->string(), "--headless", "--no-sandbox", "--disable-gpu",
                         "--allow-file-access-from-files", "--host-resolver-rules=MAP * ~NOTFOUND",
                         "--user-data-dir=" + (work / "profile").string(), "--enable-logging=stderr", "--log-level=0",
                         "--virtual-time-budget=20000", "--dump-dom", "file://" + (work / "check.html").string() },
            work / "dom.html", work / "browser.log");
    std::string dom = readText(work / "dom.html"), log = readText(work / "browser.log");
    ASSERT_EQ(exit, 0) << log.substr(0, 4000);
    std::smatch result;
    ASSERT_TRUE(std::regex_search(dom, result, std::regex("<pre id=\"result\">([^<]*)</pre>"))) << dom.substr(0, 2000);
    EXPECT_EQ(result[1].str(), "IMAGES " + std::to_string(images) + "\nCHANGED 1");
    // The browser logs every console message of a page as a CONSOLE line.
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);)
        EXPECT_EQ(line.find(":CONSOLE"), std::string::npos) << line;
}
