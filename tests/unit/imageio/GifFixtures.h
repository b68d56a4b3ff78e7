#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/imageio/CGImage.h"
#include "host/imageio/CGImageSource.h"

// Test GIFs described by their frames and colours: written by a minimal encoder, and drawn
// independently of the image source as the pictures a viewer should show.

struct TestColor {
    std::uint8_t r, g, b;
};

struct TestFrame {
    int left { 0 }, top { 0 }, width { 0 }, height { 0 };
    // One colour index per pixel, rows top first, in display order even when interlaced.
    std::vector<std::uint8_t> indices;
    // Empty: the frame uses the global colour table.
    std::vector<TestColor> localColors;
    // The GIF disposal field (0 unspecified, 1 keep, 2 background, 3 previous).
    int disposal { 0 };
    int transparentIndex { -1 };
    // Hundredths of a second. A graphic control extension is written when any of delay,
    // disposal or transparency is given.
    std::optional<int> delay;
    bool interlaced { false };
};

struct TestGif {
    int width { 0 }, height { 0 };
    std::vector<TestColor> globalColors;
    std::optional<int> loopCount;
    std::vector<TestFrame> frames;
};

std::vector<std::uint8_t> writeGif(const TestGif&);

// A frame of one colour index filling the given rectangle.
TestFrame solidFrame(int left, int top, int width, int height, std::uint8_t index);

// The colours used by the tests and the letters that draw them in canvas pictures.
inline const std::vector<TestColor> kTestColors = { { 255, 0, 0 }, { 0, 255, 0 }, { 0, 0, 255 }, { 255, 255, 255 } };
enum TestIndex : std::uint8_t { Red, Green, Blue, White };

using Picture = std::vector<std::string>;

// The picture of every frame, composited the plain way: one canvas, a full copy saved before
// each frame that restores to previous, no shortcuts.
std::vector<Picture> expectedPictures(const TestGif&);

// The image as one string per row, each pixel a letter: R, G, B, W for opaque red, green, blue
// and white, '.' for transparent and '?' for anything else.
Picture picture(const CGImage&);

// The picture of the source's image at an index, or "no image" when it has none there.
Picture pictureAt(CGImageSource&, std::size_t index);
