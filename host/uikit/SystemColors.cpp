#include "host/uikit/SystemColors.h"

#include <array>

namespace {

constexpr RGBAColor rgb(unsigned hex, double alpha = 1)
{
    return { ((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0, alpha };
}

constexpr RGBAColor white(double w, double alpha = 1)
{
    return { w, w, w, alpha };
}

// The iOS 16 palette. Fixed colours have the same value in both styles.
constexpr std::array kTable = {
    SystemColorEntry { "clearColor", white(0, 0), white(0, 0) },
    SystemColorEntry { "blackColor", white(0), white(0) },
    SystemColorEntry { "whiteColor", white(1), white(1) },
    SystemColorEntry { "grayColor", white(0.5), white(0.5) },
    SystemColorEntry { "lightGrayColor", white(2.0 / 3), white(2.0 / 3) },
    SystemColorEntry { "darkGrayColor", white(1.0 / 3), white(1.0 / 3) },
    SystemColorEntry { "redColor", rgb(0xFF0000), rgb(0xFF0000) },
    SystemColorEntry { "greenColor", rgb(0x00FF00), rgb(0x00FF00) },
    SystemColorEntry { "blueColor", rgb(0x0000FF), rgb(0x0000FF) },
    SystemColorEntry { "yellowColor", rgb(0xFFFF00), rgb(0xFFFF00) },
    SystemColorEntry { "orangeColor", rgb(0xFF8000), rgb(0xFF8000) },
    SystemColorEntry { "purpleColor", rgb(0x800080), rgb(0x800080) },
    SystemColorEntry { "cyanColor", rgb(0x00FFFF), rgb(0x00FFFF) },
    SystemColorEntry { "magentaColor", rgb(0xFF00FF), rgb(0xFF00FF) },
    SystemColorEntry { "brownColor", rgb(0x996633), rgb(0x996633) },
    SystemColorEntry { "darkTextColor", white(0), white(0) },
    SystemColorEntry { "lightTextColor", white(1, 0.6), white(1, 0.6) },
    SystemColorEntry { "systemBlueColor", rgb(0x007AFF), rgb(0x0A84FF) },
    SystemColorEntry { "systemGreenColor", rgb(0x34C759), rgb(0x30D158) },
    SystemColorEntry { "systemRedColor", rgb(0xFF3B30), rgb(0xFF453A) },
    SystemColorEntry { "systemOrangeColor", rgb(0xFF9500), rgb(0xFF9F0A) },
    SystemColorEntry { "systemYellowColor", rgb(0xFFCC00), rgb(0xFFD60A) },
    SystemColorEntry { "systemPinkColor", rgb(0xFF2D55), rgb(0xFF375F) },
    SystemColorEntry { "systemPurpleColor", rgb(0xAF52DE), rgb(0xBF5AF2) },
    SystemColorEntry { "systemTealColor", rgb(0x30B0C7), rgb(0x40C8E0) },
    SystemColorEntry { "systemIndigoColor", rgb(0x5856D6), rgb(0x5E5CE6) },
    SystemColorEntry { "systemMintColor", rgb(0x00C7BE), rgb(0x63E6E2) },
    SystemColorEntry { "systemCyanColor", rgb(0x32ADE6), rgb(0x64D2FF) },
    SystemColorEntry { "systemBrownColor", rgb(0xA2845E), rgb(0xAC8E68) },
    SystemColorEntry { "systemGrayColor", rgb(0x8E8E93), rgb(0x8E8E93) },
    SystemColorEntry { "systemGray2Color", rgb(0xAEAEB2), rgb(0x636366) },
    SystemColorEntry { "systemGray3Color", rgb(0xC7C7CC), rgb(0x48484A) },
    SystemColorEntry { "systemGray4Color", rgb(0xD1D1D6), rgb(0x3A3A3C) },
    SystemColorEntry { "systemGray5Color", rgb(0xE5E5EA), rgb(0x2C2C2E) },
    SystemColorEntry { "systemGray6Color", rgb(0xF2F2F7), rgb(0x1C1C1E) },
    SystemColorEntry { "labelColor", rgb(0x000000), rgb(0xFFFFFF) },
    SystemColorEntry { "secondaryLabelColor", rgb(0x3C3C43, 0.6), rgb(0xEBEBF5, 0.6) },
    SystemColorEntry { "tertiaryLabelColor", rgb(0x3C3C43, 0.3), rgb(0xEBEBF5, 0.3) },
    SystemColorEntry { "quaternaryLabelColor", rgb(0x3C3C43, 0.18), rgb(0xEBEBF5, 0.16) },
    SystemColorEntry { "placeholderTextColor", rgb(0x3C3C43, 0.3), rgb(0xEBEBF5, 0.3) },
    SystemColorEntry { "linkColor", rgb(0x007AFF), rgb(0x0984FF) },
    SystemColorEntry { "separatorColor", rgb(0x3C3C43, 0.29), rgb(0x545458, 0.6) },
    SystemColorEntry { "opaqueSeparatorColor", rgb(0xC6C6C8), rgb(0x38383A) },
    SystemColorEntry { "systemBackgroundColor", rgb(0xFFFFFF), rgb(0x000000) },
    SystemColorEntry { "secondarySystemBackgroundColor", rgb(0xF2F2F7), rgb(0x1C1C1E) },
    SystemColorEntry { "tertiarySystemBackgroundColor", rgb(0xFFFFFF), rgb(0x2C2C2E) },
    SystemColorEntry { "systemGroupedBackgroundColor", rgb(0xF2F2F7), rgb(0x000000) },
    SystemColorEntry { "secondarySystemGroupedBackgroundColor", rgb(0xFFFFFF), rgb(0x1C1C1E) },
    SystemColorEntry { "tertiarySystemGroupedBackgroundColor", rgb(0xF2F2F7), rgb(0x2C2C2E) },
    SystemColorEntry { "groupTableViewBackgroundColor", rgb(0xF2F2F7), rgb(0x000000) },
    SystemColorEntry { "tableCellGroupedBackgroundColor", rgb(0xFFFFFF), rgb(0x1C1C1E) },
    SystemColorEntry { "tableCellPlainBackgroundColor", rgb(0xFFFFFF), rgb(0x000000) },
    SystemColorEntry { "systemFillColor", rgb(0x787880, 0.2), rgb(0x787880, 0.36) },
    SystemColorEntry { "secondarySystemFillColor", rgb(0x787880, 0.16), rgb(0x787880, 0.32) },
    SystemColorEntry { "tertiarySystemFillColor", rgb(0x767680, 0.12), rgb(0x767680, 0.24) },
    SystemColorEntry { "quaternarySystemFillColor", rgb(0x747480, 0.08), rgb(0x767680, 0.18) },
    SystemColorEntry { "systemChromeColor", rgb(0xF9F9F9, 0.97), rgb(0x1D1D1D, 0.97) },
    SystemColorEntry { "tintColor", rgb(0x007AFF), rgb(0x0A84FF) },
};

}

const SystemColorEntry* findSystemColor(std::string_view name)
{
    for (auto& entry : kTable)
        if (entry.name == name)
            return &entry;
    return nullptr;
}

std::span<const SystemColorEntry> systemColorTable()
{
    return kTable;
}
