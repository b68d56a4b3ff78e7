#include "CommandLine.h"

#include <cstring>

const char* usageText()
{
    return "usage: tamarind-sim [--device DIR] [--prefs FILE] [--set KEY=VALUE]... [--style light|dark] [--no-tweak]\n"
           "                    COMMAND [ARGS]\n"
           "\n"
           "Runs the simulated Settings app with the Tamarind library loaded.\n"
           "\n"
           "commands:\n"
           "  dump PAGE           the page as JSON once Settings has settled (1 s of simulated time)\n"
           "                      PAGE: root, connectivity, notifications, general, tweaks, apps, system-apps,\n"
           "                      about, storage, battery, bluetooth, keyboards, snowboard, quick-notes (a\n"
           "                      preference pane with a slider row), general-settings (Settings' General\n"
           "                      page), offsets, table-cells (the library's preference pane's slider pages)\n"
           "  render PAGE --out FILE.png [--full]   the page drawn to PNG; --full: the whole scrollable\n"
           "                      page as one tall image, bars on top and every row drawn\n"
           "  shots --out DIR [--full]   every reachable page, light and dark, restyled and stock\n"
           "                      (DIR/stock), as PNG files, and DIR/index.html showing them side by side\n"
           "                      with the options in force; progress on a terminal\n"
           "  script FILE         steps, one per line: open PAGE | tap ROW-ID | back | advance SECONDS |\n"
           "                      style light|dark | memory-warning | background | foreground |\n"
           "                      dump | render FILE.png |\n"
           "                      scroll DY (points; negative pulls down past the top) | push-root |\n"
           "                      alert TITLE (presses that button on the alert shown topmost) |\n"
           "                      double-tap ROW-ID | type TEXT (keys into the focused text field) |\n"
           "                      clear (empties the focused field) | toolbar TITLE (presses that button\n"
           "                      of the focused field's accessory bar, such as +/-) |\n"
           "                      button account|search|menu (taps a button of the root page) |\n"
           "                      menu TITLE (chooses an entry of the menu a tap opened) |\n"
           "                      keyboard show|hide\n"
           "                      (ROW-ID, TITLE and TEXT are the rest of the line and may hold spaces)\n"
           "  options [--json]    every option of the library with its kind, default, value in force and\n"
           "                      what it changes: a table on a terminal, otherwise (or with --json) JSON\n"
           "  hooks [--json]      every replacement and addition the library installed, in install order:\n"
           "                      group, kind, class and selector, one per line (or as a JSON array)\n"
           "  gif FILE [--frames DIR] [--verbose]   what the animated image model makes of a GIF\n"
           "                      file, as JSON; --frames: each frame as the image source composites\n"
           "                      it, DIR/frame-000.png ...; notes beyond warnings only with --verbose\n"
           "  banner --out DIR SECONDS   the root list's banner as it plays for SECONDS of simulated\n"
           "                      time: one PNG per frame shown, banner.gif of them, and a JSON summary\n"
           "  serve [--port N] [--render-seconds S] [--render-megabytes M]   the option editor in the\n"
           "                      browser at http://127.0.0.1:N/ (8421; 0: any free port): every option as a\n"
           "                      control, Settings re-rendered as they change, import and export of the\n"
           "                      preferences plist; each render runs in a child process within S seconds\n"
           "                      (10) and M megabytes (1024)\n"
           "  snapshot PAGE --out FILE.png [--full] [--tap ROW-ID]...   render after tapping the rows\n"
           "                      given, and the rows' places in the picture as JSON (what serve runs)\n"
           "\n"
           "options:\n"
           "  --device DIR        the device folder (default: the embedded default device)\n"
           "  --prefs FILE        a property list to use as the preferences domain\n"
           "  --set KEY=VALUE     sets one option, checked against its kind (true/false, integers, floats,\n"
           "                      RRGGBB colours, text); repeatable\n"
           "  --style light|dark  the interface style\n"
           "  --no-tweak          Settings without the library\n"
           "\n"
           "files: --prefs FILE and gif FILE must be regular files of at most 64 MB, script FILE of at\n"
           "most 1 MB; a device folder may hold at most 512 MB of files, its device.json at most 4 MB.\n";
}

std::optional<CommandLine> parseCommandLine(int argc, char** argv, std::string& error)
{
    CommandLine line;
    int i = 1;
    auto value = [&](const char* option) -> const char* {
        if (i + 1 >= argc) {
            error = std::string(option) + " needs a value";
            return nullptr;
        }
        return argv[++i];
    };
    for (; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            line.help = true;
        } else if (arg == "--device") {
            const char* v = value("--device");
            if (!v)
                return std::nullopt;
            line.device = v;
        } else if (arg == "--prefs") {
            const char* v = value("--prefs");
            if (!v)
                return std::nullopt;
            line.prefs = v;
        } else if (arg == "--set") {
            const char* v = value("--set");
            if (!v)
                return std::nullopt;
            const char* eq = std::strchr(v, '=');
            if (!eq || eq == v) {
                error = std::string("--set expects KEY=VALUE, not \"") + v + "\"";
                return std::nullopt;
            }
            line.sets.emplace_back(std::string(v, eq), std::string(eq + 1));
        } else if (arg == "--style") {
            const char* v = value("--style");
            if (!v)
                return std::nullopt;
            line.style = v;
            if (line.style != "light" && line.style != "dark") {
                error = "--style must be light or dark";
                return std::nullopt;
            }
        } else if (arg == "--no-tweak") {
            line.noTweak = true;
        } else if (arg.starts_with("--") && line.command.empty()) {
            error = "unknown option " + arg;
            return std::nullopt;
        } else if (line.command.empty()) {
            line.command = arg;
        } else {
            line.arguments.push_back(arg);
        }
    }
    if (line.command.empty() && !line.help) {
        error = "no command given (try --help)";
        return std::nullopt;
    }
    return line;
}
