#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Apple's "crushed" PNG variant, which the platform's build tools write into apps and bundles and
// which the device draws: a `CgBI` chunk before `IHDR`, image data compressed as raw deflate
// without the zlib wrapper, and 8-bit pixels stored as BGR or premultiplied BGRA. libpng refuses
// such a file, so it is rewritten as a standard PNG holding the same bytes per pixel, which libpng
// then decodes; `restoreCrushedPixels` brings the decoded pixels to the host's order.

// Whether the bytes are a PNG whose first chunk is `CgBI`.
bool isCrushedPNG(std::span<const std::uint8_t>);

// The standard PNG with the same pixel bytes: `CgBI` dropped, the image data re-inflated and
// compressed again with the zlib wrapper. Nothing for a malformed file, with the reason in `error`.
// `maximumPixels` bounds what a forged header may ask for.
std::optional<std::vector<std::uint8_t>> uncrushPNG(
    std::span<const std::uint8_t>, std::size_t maximumPixels, std::string& error);

// Decoded RGBA pixels of a crushed image (so B, G, R, A in fact, the colours premultiplied) as the
// host's premultiplied RGBA. A colour above its alpha, which premultiplied data cannot hold, is
// clamped to it.
void restoreCrushedPixels(std::vector<std::uint8_t>& pixels);
