#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The PreferenceLoader entries of a device with many tweaks installed, for the benchmarks of the
// entry reader and of the page that lists them.

namespace bench {

// The folder on a device that PreferenceLoader reads its entry files from.
std::filesystem::path entriesFolder(const std::filesystem::path& device);

// Writes `count` entry files under the device's entries folder, spread over ten folders. Every
// other one is a bundle pane whose bundle holds the icon at `icon`; the rest are plain panes
// naming an icon that does not exist. Returns the entry files in the order written.
std::vector<std::filesystem::path> writeTweakPanes(
    const std::filesystem::path& device, int count, const std::filesystem::path& icon);

// Gives every folder under `root`, and `root` itself, a time of last change an hour ago: the
// folders of a device in use were last changed long ago, and a folder changed a moment ago is one
// the platform cannot yet trust what it listed of.
void ageFolders(const std::filesystem::path& root);

void writeTextFile(const std::filesystem::path&, const std::string& text);

}
