#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The properties an image source reports, as typed values instead of the platform's nested
// dictionaries. A key the platform leaves out of its dictionary is an empty optional here, and
// description() prints them the way the dictionary would print, for log lines.

// The container's properties (CGImageSourceCopyProperties). The GIF part is present for GIF data.
struct CGImageSourceProperties {
    struct GIF {
        std::uint32_t canvasPixelWidth { 0 };
        std::uint32_t canvasPixelHeight { 0 };
        bool hasGlobalColorMap { false };
        // Absent when the file has no looping extension; 0 means for ever.
        std::optional<std::uint32_t> loopCount;
    };

    std::size_t fileSize { 0 };
    std::optional<GIF> gif;

    std::string description() const;
};

// One image's properties (CGImageSourceCopyPropertiesAtIndex).
struct CGImageProperties {
    std::size_t pixelWidth { 0 };
    std::size_t pixelHeight { 0 };
    // Seconds, from the frame's graphic control extension; both absent without one. The clamped
    // delay reads a delay of 10 ms or less as 100 ms, the rule browsers follow for GIFs that
    // ask to be shown "as fast as possible"; the unclamped one is the file's own value.
    std::optional<double> delayTime;
    std::optional<double> unclampedDelayTime;

    std::string description() const;
};
