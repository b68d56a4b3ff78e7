#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/imageio/CGImage.h"

// Still-image decoding and encoding for UIImage: PNG (libpng, Apple's crushed variant included),
// JPEG (libjpeg) and the first frame of a GIF (the image source). Decoded images are premultiplied RGBA. Undecodable or
// oversized data gives null and one line in `error`; it never aborts.

rt::Ref<CGImage> decodeImage(const std::uint8_t* bytes, std::size_t length, std::string& error);
// The same, as the platform keeps images made from files and data: the header is read now (and
// its errors reported as above), the pixels are decoded when first read. PNG and JPEG images are
// made this way; crushed PNGs and GIFs are decoded as decodeImage() does.
rt::Ref<CGImage> imageDecodedOnFirstUse(std::shared_ptr<const std::vector<std::uint8_t>> bytes, std::string& error);

// PNG bytes of the image (straight alpha, RGBA 8-bit); nothing if encoding fails.
std::optional<std::vector<std::uint8_t>> encodePNG(const CGImage&);
// JPEG bytes at a quality of 0...1; nothing if encoding fails.
std::optional<std::vector<std::uint8_t>> encodeJPEG(const CGImage&, double quality);
