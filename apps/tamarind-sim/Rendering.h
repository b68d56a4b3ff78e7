#pragma once

#include <filesystem>
#include <string>

#include "Navigator.h"

// Draws the page on top to a PNG file. Returns false with one line in `error`.
bool renderTopPage(const std::filesystem::path& out, std::string& error);

// Every page that can be reached with the options in force, light and dark, as
// DIR/PAGE-light.png and DIR/PAGE-dark.png. Prints each file's path on its own line.
bool renderShots(Navigator&, const std::filesystem::path& folder, std::string& error);
