#pragma once

#include "CommandLine.h"

// snapshot PAGE --out FILE.png [--full] [--tap ROW-ID]...: what the editor's server runs in a
// child process for each picture. Opens the page, taps the rows given in order (each opens the
// page behind it, as a finger would), draws the page on top like render and prints, as JSON,
// where each row of that page lies in the picture, so that a press on the picture can be turned
// into the tap of a row.
int snapshotCommand(const CommandLine&, long interfaceStyle);
