#pragma once

#include "CommandLine.h"

// shots --out DIR [--full]: every reachable page, light and dark, restyled and (drawn by a second
// run of this program without the library) stock, then DIR/index.html to look at them together.
// With --no-tweak only Settings' own pages are drawn, and no index is written.
int shotsCommand(const CommandLine&, long interfaceStyle);
