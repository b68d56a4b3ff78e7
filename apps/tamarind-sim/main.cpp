#include <cstdio>
#include <dlfcn.h>
#include <fstream>
#include <iostream>
#include <sstream>

#include "CommandLine.h"
#include "DeviceSession.h"
#include "Navigator.h"
#include "PageDump.h"
#include "Script.h"

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
    std::cout << dumpPage(navigator.topPage(), page).dump(1) << "\n";
    return 0;
}

int optionsCommand(const CommandLine& line)
{
    if (line.noTweak)
        return fail("options lists the library's options; it needs the library (drop --no-tweak)");
    using Describe = const char* (*)();
    auto describe = reinterpret_cast<Describe>(dlsym(RTLD_DEFAULT, "tamarindDescribeOptions"));
    if (!describe)
        return fail("the loaded library does not describe its options");
    std::cout << describe() << "\n";
    return 0;
}

int scriptCommand(const CommandLine& line, long style)
{
    if (line.arguments.size() != 1)
        return fail("script needs one FILE");
    std::ifstream in(line.arguments[0]);
    if (!in)
        return fail("cannot read " + line.arguments[0]);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    if (!runScript(text.str(), style, std::cout, error))
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
    if (command != "dump" && command != "options" && command != "script")
        return fail("unknown command \"" + command + "\" (try --help)");
    DeviceSession session;
    if (!session.start(*line, error))
        return fail(error);
    if (command == "dump")
        return dumpCommand(*line, session.interfaceStyle());
    if (command == "options")
        return optionsCommand(*line);
    return scriptCommand(*line, session.interfaceStyle());
}
