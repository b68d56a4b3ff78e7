#pragma once

#include "CommandLine.h"

// gallery --out DIR [--full] DEVICE...: every device drawn as shots does (each into DIR/NAME, NAME
// being the device folder's name), then DIR/index.html with a section per device. The global
// options other than --device apply to every device.
int galleryCommand(const CommandLine&);
