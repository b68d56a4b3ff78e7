#pragma once

#include <string>
#include <vector>

// tamarind-sim banner --out DIR SECONDS: plays the root list's banner for SECONDS of simulated
// time and writes every frame it showed (frame-NNN.png), an animated GIF of them (banner.gif)
// and, on standard output, a JSON summary: each frame's start, duration and index (-1 for a still
// picture), and how often the display link woke the view. Settings settles for a second first.
// Returns the process's exit code.
int bannerCommand(const std::vector<std::string>& arguments, long interfaceStyle);
