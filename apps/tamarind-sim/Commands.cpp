#include "Commands.h"

#include <sstream>

#include "BannerCommand.h"
#include "EditorServer.h"
#include "GalleryCommand.h"
#include "GifCommand.h"
#include "LibraryCommands.h"
#include "PageCommands.h"
#include "ScriptStep.h"
#include "ServeCommand.h"
#include "ShotsCommand.h"
#include "SimSupport.h"
#include "SnapshotCommand.h"
#include "host/platform/DeviceReader.h"
#include "host/platform/InputFile.h"

namespace {

// The usage states one limit for both files.
static_assert(kMaximumPreferencesBytes == kMaximumGifBytes);

// A usage entry's description starts in this column; an entry whose head reaches it starts its
// description three spaces after the head instead.
constexpr size_t kUsageColumn = 22;

std::string dumpUsage()
{
    return "the page as JSON once Settings has settled (" + decimal(kSettleSeconds)
        + " s of simulated time)\n"
          "PAGE: root, connectivity, notifications, general, tweaks, apps, system-apps,\n"
          "about, storage, battery, bluetooth, keyboards, snowboard, quick-notes (a\n"
          "preference pane with a slider row), general-settings (Settings' General\n"
          "page), offsets, table-cells (the library's preference pane's slider pages)";
}

std::string serveUsage()
{
    EditorServerSettings defaults;
    return "the option editor in the\n"
           "browser at http://127.0.0.1:N/ ("
        + std::to_string(defaults.port)
        + "; 0: any free port): every option as a\n"
          "control, Settings re-rendered as they change, import and export of the\n"
          "preferences plist; each render runs in a child process within S seconds\n"
          "("
        + decimal(defaults.render.limits.seconds) + ") and M megabytes (" + std::to_string(defaults.render.limits.megabytes)
        + ")";
}

std::vector<Command> makeCommands()
{
    using Session = Command::Session;
    return {
        { "dump", "PAGE", Session::Device, dumpCommand, dumpUsage() },
        { "render", "PAGE --out FILE.png [--full]", Session::Device, renderCommand,
            "the page drawn to PNG; --full: the whole scrollable\n"
            "page as one tall image, bars on top and every row drawn" },
        { "shots", "--out DIR [--full]", Session::Device, shotsCommand,
            "every reachable page, light and dark, restyled and stock\n"
            "(DIR/stock), as PNG files, and DIR/index.html showing them side by side\n"
            "with the options in force; progress on a terminal" },
        // Each device of a gallery is drawn by a run of its own, so this one loads none.
        { "gallery", "--out DIR [--full] DEVICE...", Session::None,
            [](const CommandLine& line, long) { return galleryCommand(line); },
            "every device folder given drawn as shots draws\n"
            "one, each into DIR/NAME (NAME: the folder's name), then DIR/index.html with\n"
            "a section per device; the options other than --device apply to every device" },
        { "script", "FILE", Session::Device, scriptCommand, "steps, one per line: " + scriptStepsUsage() },
        { "options", "[--json]", Session::Device, [](const CommandLine& line, long) { return optionsCommand(line); },
            "every option of the library with its kind, default, value in force and\n"
            "what it changes: a table on a terminal, otherwise (or with --json) JSON" },
        { "hooks", "[--json]", Session::Device, [](const CommandLine& line, long) { return hooksCommand(line); },
            "every replacement and addition the library installed, in install order:\n"
            "group, kind, class and selector, one per line (or as a JSON array)" },
        // The library is loaded by the command itself: a GIF is looked at without a device.
        { "gif", "FILE [--frames DIR] [--verbose]", Session::None,
            [](const CommandLine& line, long) { return gifCommand(line.arguments); },
            "what the animated image model makes of a GIF\n"
            "file, as JSON; --frames: each frame as the image source composites\n"
            "it, DIR/frame-000.png ...; notes beyond warnings only with --verbose" },
        { "banner", "--out DIR SECONDS", Session::Device,
            [](const CommandLine& line, long style) { return bannerCommand(line.arguments, style); },
            "the root list's banner as it plays for SECONDS of simulated\n"
            "time: one PNG per frame shown, banner.gif of them, and a JSON summary" },
        // The server offers every device; each render runs in a process of its own.
        { "serve", "[--port N] [--render-seconds S] [--render-megabytes M]", Session::None,
            [](const CommandLine& line, long) { return serveCommand(line); }, serveUsage() },
        { "snapshot", "PAGE --out FILE.png [--full] [--tap ROW-ID]...", Session::Device, snapshotCommand,
            "render after tapping the rows\n"
            "given, and the rows' places in the picture as JSON (what serve runs)" },
    };
}

// "  NAME ARGUMENTS" and the description beside it, its further lines under its first.
std::string usageEntry(std::string head, const std::string& description)
{
    head = "  " + head;
    head += head.size() < kUsageColumn ? std::string(kUsageColumn - head.size(), ' ') : "   ";
    std::string indent = "\n" + std::string(kUsageColumn, ' ');
    std::string text = head;
    for (char c : description)
        text += c == '\n' ? indent : std::string(1, c);
    return text + "\n";
}

std::string withValue(std::string_view name, std::string_view value)
{
    return std::string(name) + (value.empty() ? "" : " " + std::string(value));
}

}

std::span<const Command> commands()
{
    static const std::vector<Command> table = makeCommands();
    return table;
}

const Command* findCommand(std::string_view name)
{
    for (auto& command : commands())
        if (command.name == name)
            return &command;
    return nullptr;
}

std::string usageText()
{
    std::string text = "usage: tamarind-sim";
    for (auto& option : globalOptions())
        text += " [" + withValue(option.name, option.value) + "]"
            + (option.repeat == GlobalOption::Repeat::Many ? "..." : "");
    text += "\n                    COMMAND [ARGS]\n"
            "\n"
            "Runs the simulated Settings app with the Tamarind library loaded.\n"
            "\n"
            "commands:\n";
    for (auto& command : commands())
        text += usageEntry(withValue(command.name, command.arguments), command.usage);
    text += "\noptions:\n";
    for (auto& option : globalOptions())
        text += usageEntry(withValue(option.name, option.value), std::string(option.usage));
    text += "\nfiles: --prefs FILE and gif FILE must be regular files of at most "
        + describeByteCount(kMaximumPreferencesBytes) + ", script FILE of at\nmost "
        + describeByteCount(kMaximumScriptBytes) + "; a device folder may hold at most "
        + describeByteCount(kMaximumDeviceBytes) + " of files, its device.json at most "
        + describeByteCount(deviceLimits::kMaximumFileBytes) + ".\n";
    return text;
}
