#pragma once

#include <span>
#include <string_view>

#include "host/render/Color.h"

// The system colour palette of the simulated iOS version, light and dark, keyed by the name of
// UIColor's class method that returns the colour.
struct SystemColorEntry {
    std::string_view name;
    RGBAColor light;
    RGBAColor dark;
};

const SystemColorEntry* findSystemColor(std::string_view name);
// Every entry, for registering the class methods.
std::span<const SystemColorEntry> systemColorTable();
