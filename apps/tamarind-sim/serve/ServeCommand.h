#pragma once

#include "CommandLine.h"

// tamarind-sim serve [--port N] [--render-seconds S] [--render-megabytes M]: the live option editor
// on http://127.0.0.1:N/ (8421 unless given; 0 picks a free port). Prints the address to open and
// serves until interrupted. --device names the device shown first; every folder of the project's
// devices/ with a device.json is offered beside it. Returns the process's exit code.
int serveCommand(const CommandLine&);
