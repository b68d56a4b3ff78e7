#include "SimHarness.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <png.h>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

std::string readAll(int fd)
{
    std::string text;
    std::array<char, 65536> buffer;
    ssize_t n;
    while ((n = read(fd, buffer.data(), buffer.size())) > 0)
        text.append(buffer.data(), static_cast<size_t>(n));
    return text;
}

std::string base64(const std::vector<std::uint8_t>& bytes)
{
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        unsigned chunk = unsigned(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            chunk |= unsigned(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            chunk |= bytes[i + 2];
        for (size_t k = 0; k < 4; ++k)
            text += i + k <= bytes.size() ? digits[(chunk >> (18 - 6 * k)) & 63] : '=';
    }
    return text;
}

std::string plistValue(const json& v)
{
    if (v.is_binary())
        return "<data>" + base64(v.get_binary()) + "</data>";
    if (v.is_boolean())
        return v.get<bool>() ? "<true/>" : "<false/>";
    if (v.is_number_integer())
        return "<integer>" + std::to_string(v.get<long long>()) + "</integer>";
    if (v.is_number())
        return "<real>" + std::to_string(v.get<double>()) + "</real>";
    if (v.is_string())
        return "<string>" + v.get<std::string>() + "</string>";
    if (v.is_array()) {
        std::string s = "<array>";
        for (auto& item : v)
            s += plistValue(item);
        return s + "</array>";
    }
    if (v.is_object()) {
        std::string s = "<dict>";
        for (auto& [k, item] : v.items())
            s += "<key>" + k + "</key>" + plistValue(item);
        return s + "</dict>";
    }
    return "<string></string>";
}

std::string plistDocument(const json& v)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + plistValue(v) + "</plist>\n";
}

}

json SimResult::json() const
{
    auto parsed = json::parse(out, nullptr, false);
    return parsed;
}

std::vector<nlohmann::json> SimResult::jsonLines() const
{
    std::vector<nlohmann::json> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            lines.push_back(json::parse(line, nullptr, false));
    return lines;
}

std::array<int, 3> Screenshot::at(double x, double y, double scale) const
{
    auto px = static_cast<size_t>(x * scale), py = static_cast<size_t>(y * scale);
    if (px >= width || py >= height)
        return { -1, -1, -1 };
    size_t i = (py * width + px) * 4;
    return { rgba[i], rgba[i + 1], rgba[i + 2] };
}

std::string readText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::optional<Screenshot> readScreenshot(const std::filesystem::path& path)
{
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return std::nullopt;
    image.format = PNG_FORMAT_RGBA;
    Screenshot shot { image.width, image.height, std::vector<unsigned char>(PNG_IMAGE_SIZE(image)) };
    if (!png_image_finish_read(&image, nullptr, shot.rgba.data(), 0, nullptr))
        return std::nullopt;
    return shot;
}

namespace {

long residentMegabytes(pid_t pid)
{
    std::ifstream statm("/proc/" + std::to_string(pid) + "/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024) / 1024;
}

// Reads the child's standard output until it closes, checking on the child's time and memory
// every tenth of a second; a child out of bounds is killed, which closes its output.
std::string readWithinBounds(int fd, pid_t pid, SimBounds bounds, bool& stopped)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(bounds.seconds);
    std::string text;
    std::array<char, 65536> buffer;
    for (;;) {
        pollfd watched { fd, POLLIN, 0 };
        if (poll(&watched, 1, 100) > 0) {
            ssize_t n = read(fd, buffer.data(), buffer.size());
            if (n <= 0)
                return text;
            text.append(buffer.data(), static_cast<size_t>(n));
        }
        if (!stopped && (std::chrono::steady_clock::now() > deadline || residentMegabytes(pid) > bounds.megabytes)) {
            stopped = true;
            kill(pid, SIGKILL);
        }
    }
}

}

std::string simProgram()
{
    const char* named = std::getenv("TAM_SIM");
    return named && *named ? named : TAM_SIM;
}

bool simIsSanitized()
{
    if (const char* sanitizer = std::getenv("TAM_SIM_SANITIZER"))
        return *sanitizer;
    // The simulator beside this driver was built as the driver was.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return true;
#else
    return false;
#endif
}

SimResult runSim(const std::vector<std::string>& args, SimBounds bounds)
{
    int outPipe[2];
    if (pipe(outPipe))
        return {};
    // Standard error goes to a file so a chatty child cannot block on a full pipe.
    char errPath[] = "/tmp/tamarind-sim-stderr-XXXXXX";
    int errFile = mkstemp(errPath);
    std::string program = simProgram();
    pid_t pid = fork();
    if (pid == 0) {
        dup2(outPipe[1], 1);
        dup2(errFile, 2);
        close(outPipe[0]);
        close(outPipe[1]);
        std::vector<char*> argv;
        argv.push_back(program.data());
        std::vector<std::string> copies = args;
        for (auto& a : copies)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(outPipe[1]);
    SimResult result;
    result.out = readWithinBounds(outPipe[0], pid, bounds, result.stopped);
    close(outPipe[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    lseek(errFile, 0, SEEK_SET);
    result.err = readAll(errFile);
    close(errFile);
    unlink(errPath);
    result.signalled = WIFSIGNALED(status);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

fs::path packageFile(const std::string& devicePath)
{
    return fs::path(TAM_SOURCE_DIR) / "package" / devicePath.substr(devicePath.find_first_not_of('/'));
}

PackageWithout::PackageWithout(const std::vector<std::string>& devicePaths)
{
    std::string pattern = (fs::temp_directory_path() / "tamarind-package-XXXXXX").string();
    m_folder = mkdtemp(pattern.data());
    fs::copy(fs::path(TAM_SOURCE_DIR) / "package", m_folder / "package", fs::copy_options::recursive);
    for (auto& path : devicePaths)
        fs::remove_all(m_folder / "package" / path.substr(path.find_first_not_of('/')));
    setenv("TAMARIND_PACKAGE", (m_folder / "package").c_str(), 1);
}

PackageWithout::~PackageWithout()
{
    unsetenv("TAMARIND_PACKAGE");
    std::error_code ec;
    fs::remove_all(m_folder, ec);
}

TestDevice::TestDevice(const std::string& shipped)
{
    std::string pattern = (fs::temp_directory_path() / "tamarind-test-XXXXXX").string();
    m_path = fs::path(mkdtemp(pattern.data())) / "device";
    fs::copy(fs::path(TAM_SOURCE_DIR) / "devices" / shipped, m_path,
        fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    std::ifstream in(m_path / "device.json");
    m_description = json::parse(in);
}

TestDevice::~TestDevice()
{
    std::error_code ec;
    fs::remove_all(m_path.parent_path(), ec);
}

fs::path TestDevice::file(const std::string& devicePath) const
{
    return m_path / devicePath.substr(devicePath.find_first_not_of('/'));
}

void TestDevice::setPreferences(const json& values)
{
    writeFile("/var/mobile/Library/Preferences/com.corvane.sorrelpreferences.plist", plistDocument(values));
}

void TestDevice::writeFile(const std::string& devicePath, const std::string& contents)
{
    fs::path p = file(devicePath);
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << contents;
}

void TestDevice::writePlist(const std::string& devicePath, const json& value)
{
    writeFile(devicePath, plistDocument(value));
}

void TestDevice::symlink(const std::string& devicePath, const std::string& target)
{
    fs::path p = file(devicePath);
    fs::create_directories(p.parent_path());
    fs::create_symlink(target, p);
}

void TestDevice::remove(const std::string& devicePath)
{
    std::error_code ec;
    fs::remove_all(file(devicePath), ec);
}

SimResult TestDevice::run(const std::vector<std::string>& args, SimBounds bounds)
{
    std::ofstream(m_path / "device.json") << m_description.dump(1);
    std::vector<std::string> all = { "--device", m_path.string() };
    all.insert(all.end(), args.begin(), args.end());
    return runSim(all, bounds);
}

SimResult TestDevice::runScript(const std::string& steps, std::vector<std::string> options)
{
    writeFile("/tmp/steps.txt", steps);
    options.insert(options.end(), { "script", file("/tmp/steps.txt").string() });
    return run(options);
}

SimResult runSteps(TestDevice& device, const json& prefs, const std::string& steps, std::vector<std::string> options)
{
    device.setPreferences(prefs);
    return device.runScript(steps, std::move(options));
}

std::vector<json> dumpsOf(const SimResult& result)
{
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return result.jsonLines();
}

std::vector<json> scriptDumps(
    TestDevice& device, const json& prefs, const std::string& steps, std::vector<std::string> options)
{
    return dumpsOf(runSteps(device, prefs, steps, std::move(options)));
}

json dumpPage(TestDevice& device, const json& prefs, const std::string& page, const std::string& style)
{
    device.setPreferences(prefs);
    std::vector<std::string> args { "dump", page };
    if (!style.empty())
        args.insert(args.begin(), { "--style", style });
    auto result = device.run(args);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return result.json();
}

const json* rowNamed(const json& page, const std::string& id, long* section, long* index)
{
    for (size_t s = 0; s < page["sections"].size(); ++s) {
        const auto& rows = page["sections"][s]["rows"];
        for (size_t r = 0; r < rows.size(); ++r) {
            if (rows[r]["id"] != id)
                continue;
            if (section)
                *section = static_cast<long>(s);
            if (index)
                *index = static_cast<long>(r);
            return &rows[r];
        }
    }
    return nullptr;
}

json cellOf(const json& page, const std::string& id)
{
    if (const json* row = rowNamed(page, id))
        return (*row)["cell"];
    ADD_FAILURE() << "no row " << id << " on page " << page["page"];
    return json::object();
}

std::vector<std::vector<std::string>> rowIDs(const json& page)
{
    std::vector<std::vector<std::string>> result;
    if (!page.contains("sections"))
        return result;
    for (auto& section : page["sections"]) {
        std::vector<std::string> ids;
        for (auto& row : section["rows"])
            ids.push_back(row["id"].get<std::string>());
        result.push_back(ids);
    }
    return result;
}

std::vector<std::string> flatRowIDs(const json& page)
{
    std::vector<std::string> all;
    for (auto& section : rowIDs(page))
        all.insert(all.end(), section.begin(), section.end());
    return all;
}

long indexOf(const std::vector<std::string>& list, const std::string& id)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == id)
            return static_cast<long>(i);
    return -1;
}

std::string deviceLog(const nlohmann::json& page)
{
    std::string text;
    for (const auto& line : page.value("log", nlohmann::json::array()))
        text += line.get<std::string>() + "\n";
    return text;
}
