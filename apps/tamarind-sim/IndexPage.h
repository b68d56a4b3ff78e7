#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

// The gallery page of a shots folder: every page, stock beside restyled and light beside dark,
// then the options in force with those that differ from their defaults marked. It stands on its
// own: styles inline, no script, images by relative links (PAGE-STYLE.png and
// stock/PAGE-STYLE.png beside it), so the folder can be moved or opened offline.

// Writes FOLDER/index.html. `options` is the options report (see OptionsReport.h). Returns false
// with one line in `error` when the file cannot be written.
bool writeIndexPage(const std::filesystem::path& folder, const nlohmann::json& options, std::string& error);

// One device of a gallery: the folder of its shots inside the gallery's folder, and the heading
// that names it.
struct GalleryDevice {
    std::string folder;
    std::string title;
};

// Writes FOLDER/index.html for several devices drawn into FOLDER/NAME: a section per device, each
// with every page stock beside restyled and light beside dark, and a link to the device's own page.
bool writeGalleryPage(
    const std::filesystem::path& folder, const std::vector<GalleryDevice>&, std::string& error);
