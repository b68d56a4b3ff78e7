#include "PageCommands.h"

#include <algorithm>
#include <iostream>

#include "Navigator.h"
#include "PageDump.h"
#include "Rendering.h"
#include "Script.h"
#include "SimSupport.h"
#include "host/platform/InputFile.h"

namespace {

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

}

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
