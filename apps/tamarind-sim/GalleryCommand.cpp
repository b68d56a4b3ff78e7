#include "GalleryCommand.h"

#include <cstdio>
#include <iostream>
#include <set>
#include <sstream>
#include <unistd.h>

#include "IndexPage.h"
#include "SelfRun.h"
#include "SimSupport.h"
#include "host/platform/Device.h"

namespace fs = std::filesystem;

namespace {

// The name a device's pictures go under: its folder's own name ("devices/ios14/" gives "ios14").
std::string folderName(const std::string& device)
{
    fs::path path = fs::path(device).lexically_normal();
    if (path.filename().empty())
        path = path.parent_path();
    return path.filename().string();
}

// "Sam's iPhone, iOS 14.8, 375 × 667 points at 2×".
std::string deviceTitle(const DeviceDescription& device)
{
    std::ostringstream title;
    title << device.name << ", " << (device.idiom == "pad" ? "iPadOS " : "iOS ") << device.systemVersion << ", "
          << device.screenWidth << " \u00d7 " << device.screenHeight << " points at " << device.screenScale << "\u00d7";
    return title.str();
}

// The global options every device's run repeats, so each is drawn as the command line asks.
std::vector<std::string> sharedOptions(const CommandLine& line)
{
    std::vector<std::string> args;
    if (!line.prefs.empty())
        args.insert(args.end(), { "--prefs", line.prefs });
    for (auto& [key, value] : line.sets)
        args.insert(args.end(), { "--set", key + "=" + value });
    if (!line.style.empty())
        args.insert(args.end(), { "--style", line.style });
    return args;
}

}

int galleryCommand(const CommandLine& line)
{
    std::string out;
    bool full = false;
    std::vector<std::string> devices;
    for (size_t i = 0; i < line.arguments.size(); ++i) {
        const std::string& argument = line.arguments[i];
        if (argument == "--out" && i + 1 < line.arguments.size())
            out = line.arguments[++i];
        else if (argument == "--full")
            full = true;
        else if (argument.starts_with("--"))
            return fail("gallery takes --out DIR, --full and device folders, not " + argument);
        else
            devices.push_back(argument);
    }
    if (out.empty() || devices.empty())
        return fail("gallery needs --out DIR and at least one device folder");
    if (!line.device.empty() || line.noTweak)
        return fail("gallery draws the device folders it is given, stock and restyled: leave out --device and --no-tweak");

    // Every device is checked before the first is drawn, so a mistyped folder fails at once.
    std::vector<GalleryDevice> sections;
    std::set<std::string> names;
    for (auto& device : devices) {
        std::string error;
        auto description = loadDevice(device, error);
        if (!description)
            return fail(error);
        std::string name = folderName(device);
        if (!names.insert(name).second)
            return fail("two device folders are named " + name + "; their pictures would overwrite each other");
        sections.push_back({ name, deviceTitle(*description) });
    }
    std::error_code ec;
    fs::create_directories(out, ec);
    fs::remove(fs::path(out) / "index.html", ec);
    for (size_t i = 0; i < devices.size(); ++i) {
        if (isatty(STDERR_FILENO))
            std::fprintf(stderr, "gallery: device %zu of %zu (%s)\n", i + 1, devices.size(), sections[i].folder.c_str());
        std::vector<std::string> args { "tamarind-sim", "--device", devices[i] };
        auto shared = sharedOptions(line);
        args.insert(args.end(), shared.begin(), shared.end());
        args.insert(args.end(), { "shots", "--out", (fs::path(out) / sections[i].folder).string() });
        if (full)
            args.push_back("--full");
        std::string error;
        if (!runThisProgram(args, "the device " + devices[i], error))
            return fail(error);
    }
    std::string error;
    if (!writeGalleryPage(out, sections, error))
        return fail(error);
    std::cout << (fs::path(out) / "index.html").string() << std::endl;
    return 0;
}
