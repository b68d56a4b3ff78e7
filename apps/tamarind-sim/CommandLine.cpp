#include "CommandLine.h"

#include <cstring>

namespace {

bool takeSet(CommandLine& line, const char* value, std::string& error)
{
    const char* eq = std::strchr(value, '=');
    if (!eq || eq == value) {
        error = std::string("--set expects KEY=VALUE, not \"") + value + "\"";
        return false;
    }
    line.sets.emplace_back(std::string(value, eq), std::string(eq + 1));
    return true;
}

bool takeStyle(CommandLine& line, const char* value, std::string& error)
{
    line.style = value;
    if (line.style != "light" && line.style != "dark") {
        error = "--style must be light or dark";
        return false;
    }
    return true;
}

const GlobalOption kGlobalOptions[] = {
    { "--device", "DIR", GlobalOption::Repeat::Once, "the device folder (default: the embedded default device)",
        [](CommandLine& line, const char* value, std::string&) {
            line.device = value;
            return true;
        } },
    { "--prefs", "FILE", GlobalOption::Repeat::Once, "a property list to use as the preferences domain",
        [](CommandLine& line, const char* value, std::string&) {
            line.prefs = value;
            return true;
        } },
    { "--set", "KEY=VALUE", GlobalOption::Repeat::Many,
        "sets one option, checked against its kind (true/false, integers, floats,\n"
        "RRGGBB colours, text); repeatable",
        takeSet },
    { "--style", "light|dark", GlobalOption::Repeat::Once, "the interface style", takeStyle },
    { "--no-tweak", "", GlobalOption::Repeat::Once, "Settings without the library",
        [](CommandLine& line, const char*, std::string&) {
            line.noTweak = true;
            return true;
        } },
};

const GlobalOption* findGlobalOption(std::string_view name)
{
    for (auto& option : kGlobalOptions)
        if (option.name == name)
            return &option;
    return nullptr;
}

}

std::span<const GlobalOption> globalOptions()
{
    return kGlobalOptions;
}

std::optional<CommandLine> parseCommandLine(int argc, char** argv, std::string& error)
{
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        const GlobalOption* option = findGlobalOption(arg);
        if (arg == "--help" || arg == "-h") {
            line.help = true;
        } else if (option) {
            const char* value = "";
            if (!option->value.empty()) {
                if (i + 1 >= argc) {
                    error = arg + " needs a value";
                    return std::nullopt;
                }
                value = argv[++i];
            }
            if (!option->apply(line, value, error))
                return std::nullopt;
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
