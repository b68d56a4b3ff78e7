#pragma once

#include <span>
#include <string>
#include <string_view>

#include "CommandLine.h"

// A command of tamarind-sim: its name and arguments as the usage shows them, whether it runs in a
// device session, what runs it, and what it does in the usage's words. The usage text is made
// from these rows, and a command line runs the row of its command.
struct Command {
    // A device session starts Settings on the device given (or the default one), with the library
    // unless --no-tweak, before the command runs; a command without one sets up what it needs.
    enum class Session { None, Device };
    std::string_view name;
    std::string_view arguments;
    Session session;
    // Returns the process's exit code; `interfaceStyle` is the session's (0 without a session).
    int (*run)(const CommandLine&, long interfaceStyle);
    // One line of usage or more, without their indentation.
    std::string usage;
};

std::span<const Command> commands();
// The command of that name, or null.
const Command* findCommand(std::string_view name);

// What --help prints.
std::string usageText();
