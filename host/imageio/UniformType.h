#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Uniform type identifiers of the image formats the image source recognises, and the two type
// tests built on them: sniffing a format from its first bytes, and conformance of one type to
// another (a GIF is an image, an image is data), as CoreServices answers them.

inline constexpr std::string_view kUTTypeGIF = "com.compuserve.gif";
inline constexpr std::string_view kUTTypePNG = "public.png";
inline constexpr std::string_view kUTTypeJPEG = "public.jpeg";
inline constexpr std::string_view kUTTypeImage = "public.image";
inline constexpr std::string_view kUTTypeData = "public.data";
inline constexpr std::string_view kUTTypeItem = "public.item";

// True when the bytes begin with either GIF signature, "GIF87a" or "GIF89a".
bool isGIFData(const std::uint8_t* bytes, std::size_t length);

// The type of image data judged by its signature; empty when no known format matches.
std::string_view imageTypeOfData(const std::uint8_t* bytes, std::size_t length);

// True when `type` is `conformsTo` or one of its ancestors in the type tree
// (com.compuserve.gif -> public.image -> public.data -> public.item).
bool UTTypeConformsTo(std::string_view type, std::string_view conformsTo);
