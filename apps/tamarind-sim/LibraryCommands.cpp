#include "LibraryCommands.h"

#include <dlfcn.h>
#include <iostream>
#include <nlohmann/json.hpp>
#include <unistd.h>

#include "OptionsReport.h"
#include "SimSupport.h"

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
