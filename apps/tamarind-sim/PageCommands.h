#pragma once

#include "CommandLine.h"

// The commands that open Settings' pages and show them. Each returns the process's exit code.

// dump PAGE: the page as JSON on standard output, once Settings has settled.
int dumpCommand(const CommandLine&, long interfaceStyle);
// render PAGE --out FILE.png [--full]: the page drawn to PNG, the screen or the whole page.
int renderCommand(const CommandLine&, long interfaceStyle);
// script FILE: the steps of the file, one per line (see Script.h).
int scriptCommand(const CommandLine&, long interfaceStyle);
