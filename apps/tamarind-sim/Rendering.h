#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Navigator.h"

// Draws the page on top to a PNG file. Returns false with one line in `error`.
bool renderTopPage(const std::filesystem::path& out, std::string& error);

// Draws the whole scrollable page on top as one tall image: the status bar and the navigation
// bar on top, then every row, as if the screen were tall enough to hold it all. A page that
// does not scroll is drawn as it is.
bool renderTopPageFull(const std::filesystem::path& out, std::string& error);

enum class PageExtent { Screen, Whole };

struct ShotsProgress {
    // Called before each page is drawn: its position (from 1), the number of pages, its name.
    std::function<void(size_t, size_t, const std::string&)> pageStarts;
};

// Every page that can be reached with the options in force, light and dark, as
// DIR/PAGE-light.png and DIR/PAGE-dark.png, replacing those of an earlier run (a page that
// cannot be reached now leaves no picture). Prints each file's path on its own line and puts the
// names of the pages drawn in `drawn`.
bool renderShots(Navigator&, const std::filesystem::path& folder, PageExtent, const ShotsProgress&,
    std::vector<std::string>& drawn, std::string& error);
