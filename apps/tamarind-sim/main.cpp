#include <algorithm>
#include <cstdio>
#include <dlfcn.h>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <unistd.h>

#include "BannerCommand.h"
#include "CommandLine.h"
#include "DeviceSession.h"
#include "GalleryCommand.h"
#include "GifCommand.h"
#include "Navigator.h"
#include "OptionsReport.h"
#include "PageDump.h"
#include "Rendering.h"
#include "Script.h"
#include "ServeCommand.h"
#include "ShotsCommand.h"
#include "SnapshotCommand.h"
#include "host/foundation/Log.h"
#include "host/platform/InputFile.h"

// pango's fontconfig keeps its caches for the life of the process.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

// A run that used the suppression would otherwise end its standard error with a table of it,
// after the one line a failing command promises.
extern "C" const char* __lsan_default_options()
{
    return "print_suppressions=0";
}

namespace {

int fail(const std::string& message)
{
    std::fprintf(stderr, "tamarind-sim: %s\n", message.c_str());
    return 1;
}

// Settings is given this long to settle before a page is shown: every delayed row and the
// installed apps' rows have arrived by then.
constexpr double kSettleSeconds = 1.0;

int dumpCommand(const CommandLine& line, long style)
{
    if (line.arguments.size() != 1)
        return fail("dump needs one PAGE (try --help)");
    const std::string& page = line.arguments[0];
    if (!Navigator::isKnownPage(page))
        return fail("unknown page \"" + page + "\"");
    Navigator navigator;
    navigator.launch(style, kSettleSeconds);
    std::string error;
    if (!navigator.open(page, error))
        return fail(error);
    std::cout << jsonText(dumpPage(navigator.topPage(), page), 1) << "\n";
    return 0;
}

// Takes "--out PATH" from the command's arguments; the rest stay.
std::string takeOut(std::vector<std::string>& arguments)
{
    for (size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == "--out") {
            std::string out = arguments[i + 1];
            arguments.erase(arguments.begin() + static_cast<long>(i), arguments.begin() + static_cast<long>(i) + 2);
            return out;
        }
    }
    return {};
}

int renderCommand(const CommandLine& line, long style)
{
    auto arguments = line.arguments;
    std::string out = takeOut(arguments);
    auto full = std::find(arguments.begin(), arguments.end(), "--full");
    PageExtent extent = full == arguments.end() ? PageExtent::Screen : PageExtent::Whole;
    if (full != arguments.end())
        arguments.erase(full);
    if (arguments.size() != 1 || out.empty())
        return fail("render needs PAGE --out FILE.png [--full]");
    if (!Navigator::isKnownPage(arguments[0]))
        return fail("unknown page \"" + arguments[0] + "\"");
    Navigator navigator;
    navigator.launch(style, kSettleSeconds);
    std::string error;
    if (!navigator.open(arguments[0], error))
        return fail(error);
    bool written = extent == PageExtent::Whole ? renderTopPageFull(out, error) : renderTopPage(out, error);
    if (!written)
        return fail(error);
    return 0;
}

// A table for a person at a terminal; JSON for programs (or when asked with --json).
int optionsCommand(const CommandLine& line)
{
    bool json = line.arguments == std::vector<std::string> { "--json" };
    if (!line.arguments.empty() && !json)
        return fail("options takes only --json");
    if (line.noTweak)
        return fail("options lists the library's options; it needs the library (drop --no-tweak)");
    std::string error;
    auto report = optionsReport(error);
    if (!report)
        return fail(error);
    if (json || !isatty(STDOUT_FILENO))
        std::cout << report->dump(1) << "\n";
    else
        printOptionsTable(*report, std::cout);
    return 0;
}

// The library's record of what it installed, one line each: group, kind, class, selector.
int hooksCommand(const CommandLine& line)
{
    bool json = line.arguments == std::vector<std::string> { "--json" };
    if (!line.arguments.empty() && !json)
        return fail("hooks takes only --json");
    if (line.noTweak)
        return fail("hooks lists what the library installed; it needs the library (drop --no-tweak)");
    using Installed = const char* (*)();
    auto installed = reinterpret_cast<Installed>(dlsym(RTLD_DEFAULT, "tamarindInstalledHooks"));
    if (!installed)
        return fail("the loaded library does not record what it installs");
    auto hooks = nlohmann::json::parse(installed(), nullptr, false);
    if (!hooks.is_array())
        return fail("the library's record of what it installed is unreadable");
    if (json) {
        std::cout << hooks.dump(1) << "\n";
        return 0;
    }
    for (auto& hook : hooks)
        std::cout << hook.value("group", "") << "\t" << hook.value("kind", "") << "\t" << hook.value("class", "")
                  << "\t" << hook.value("selector", "") << "\n";
    return 0;
}

int scriptCommand(const CommandLine& line, long style)
{
    if (line.arguments.size() != 1)
        return fail("script needs one FILE");
    std::string error;
    auto bytes = readInputFile(line.arguments[0], kMaximumScriptBytes, error);
    if (!bytes)
        return fail(error);
    if (!runScript(std::string(bytes->begin(), bytes->end()), style, std::cout, error))
        return fail(error);
    return 0;
}

}

int main(int argc, char** argv)
{
    std::string error;
    auto line = parseCommandLine(argc, argv, error);
    if (!line)
        return fail(error);
    if (line->help) {
        std::fputs(usageText(), stdout);
        return 0;
    }
    const std::string& command = line->command;
    if (command == "gif")
        return gifCommand(line->arguments);
    if (command == "serve")
        return serveCommand(*line);
    // Each device of a gallery is drawn by a run of its own, so this one loads none.
    if (command == "gallery")
        return galleryCommand(*line);
    if (command != "dump" && command != "options" && command != "hooks" && command != "script" && command != "render"
        && command != "shots" && command != "banner" && command != "snapshot")
        return fail("unknown command \"" + command + "\" (try --help)");
    // The device's system log is the phone's, not the simulator's: it is kept for the dumps
    // ("log") and standard error stays for the simulator's own warnings and errors.
    LogCapture deviceLog;
    DeviceSession session;
    if (!session.start(*line, error))
        return fail(error);
    if (command == "dump")
        return dumpCommand(*line, session.interfaceStyle());
    if (command == "options")
        return optionsCommand(*line);
    if (command == "hooks")
        return hooksCommand(*line);
    if (command == "render")
        return renderCommand(*line, session.interfaceStyle());
    if (command == "shots")
        return shotsCommand(*line, session.interfaceStyle());
    if (command == "banner")
        return bannerCommand(line->arguments, session.interfaceStyle());
    if (command == "snapshot")
        return snapshotCommand(*line, session.interfaceStyle());
    return scriptCommand(*line, session.interfaceStyle());
}
