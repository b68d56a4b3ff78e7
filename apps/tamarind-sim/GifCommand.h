#pragma once

#include <string>
#include <vector>

// `tamarind-sim gif FILE`: what the library's animated image model makes of a GIF file on this
// machine, as JSON on standard output (frame count, loop count, poster, size, each frame's delay,
// the decoded size, the frame cache size it chooses and the refresh rate a player asks for).
// Data the model refuses gets the model's own message on standard error and exit code 1; other
// messages of the model show only with --verbose, warnings always. `--frames DIR` also writes
// each frame as the image source composites it (see GifFrames.h) and lists the files.
// Loads the library itself when it is not loaded yet, so it needs no device.
int gifCommand(std::vector<std::string> arguments);
