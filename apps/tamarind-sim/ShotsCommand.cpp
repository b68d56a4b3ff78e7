#include "ShotsCommand.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

#include "IndexPage.h"
#include "OptionsReport.h"
#include "Rendering.h"
#include "SelfRun.h"
#include "SimSupport.h"

namespace fs = std::filesystem;

namespace {

// "page 3 of 14", a line each, when standard error is a terminal; nothing when it is a file or
// a pipe, so logs and tests see only what matters. Whole lines keep the progress apart from the
// file names on standard output when both reach the same terminal.
ShotsProgress terminalProgress(const char* label)
{
    if (!isatty(STDERR_FILENO))
        return {};
    return { [label](size_t index, size_t total, const std::string& page) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s: page %zu of %zu (%s)\n", label, index, total, page.c_str());
    } };
}

// Draws stock Settings by running this program again without the library, into DIR/stock.
bool drawStock(const CommandLine& line, const fs::path& folder, bool full, std::string& error)
{
    std::vector<std::string> args { "tamarind-sim" };
    if (!line.device.empty())
        args.insert(args.end(), { "--device", line.device });
    args.insert(args.end(), { "--no-tweak", "shots", "--out", (folder / "stock").string() });
    if (full)
        args.push_back("--full");
    return runThisProgram(args, "stock Settings", error);
}

}

int shotsCommand(const CommandLine& line, long interfaceStyle)
{
    auto arguments = line.arguments;
    std::string out;
    bool full = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--out" && i + 1 < arguments.size())
            out = arguments[++i];
        else if (arguments[i] == "--full")
            full = true;
        else
            return fail("shots needs --out DIR and takes only --full");
    }
    if (out.empty())
        return fail("shots needs --out DIR");
    std::error_code ec;
    fs::remove(fs::path(out) / "index.html", ec);
    Navigator navigator;
    navigator.launch(interfaceStyle, kSettleSeconds);
    std::string error;
    std::vector<std::string> drawn;
    PageExtent extent = full ? PageExtent::Whole : PageExtent::Screen;
    if (!renderShots(navigator, out, extent, terminalProgress(line.noTweak ? "stock" : "restyled"), drawn, error))
        return fail(error);
    if (line.noTweak)
        return 0;
    auto options = optionsReport(error);
    if (!options || !drawStock(line, out, full, error) || !writeIndexPage(out, *options, error))
        return fail(error);
    std::cout << (fs::path(out) / "index.html").string() << std::endl;
    return 0;
}
