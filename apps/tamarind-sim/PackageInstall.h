#pragma once

#include <filesystem>
#include <string>

// The library's own installed files (its localization bundle, its preference bundle's icons)
// live once in the project's package/ folder, laid out as the library's package installs them on
// a phone. Every device the simulator runs with the library gets them, so a device folder holds
// only what the system, the jailbreak and other tweaks put there.

// The project's package/ folder, or the folder the environment variable TAMARIND_PACKAGE names
// (a package without some of its files, say).
std::filesystem::path packageFolder();

// Lays the package's files into the device the host runs (the device root must be set), each at
// its device path. A device that already carries one of them, or one of the package's bundles,
// is refused with one line naming the device path: silently keeping either copy would show texts
// or icons that are not the ones the library ships.
bool installPackage(const std::filesystem::path& package, std::string& error);
