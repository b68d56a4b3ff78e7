#pragma once

#include "CommandLine.h"

// The commands that report what the loaded library offers and did. Each needs the library and
// returns the process's exit code.

// options [--json]: every option of the library, as a table for a person at a terminal and as
// JSON for programs (or when asked with --json).
int optionsCommand(const CommandLine&);
// hooks [--json]: the library's record of what it installed, one line each (group, kind, class,
// selector), or the record itself as JSON.
int hooksCommand(const CommandLine&);
