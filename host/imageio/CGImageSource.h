#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "host/imageio/CGBitmapContext.h"
#include "host/imageio/CGImage.h"
#include "host/imageio/CGImageProperties.h"

class GifCompositor;
class GifContainer;

// The stand-in for an ImageIO image source. Creating one reads the file's structure and nothing
// more: the type, the image count and every property are known at once, while pixels are decoded
// only when an image's pixels are first read, and the source never keeps finished images (it
// behaves as a source created with kCGImageSourceShouldCache off always does).
//
// GIF is the format it decodes. PNG and JPEG data are recognised and answer their type, but this
// source offers no images for them. Other bytes give a source with no type and no images.
//
// A GIF image at an index is the whole logical screen with that frame composited over the
// earlier ones (see GifCompositor). It is made lazily: asking for it checks the frame's structure
// and decodes its first row, and the compositing happens when its pixels are first read. Its
// pixels may be read from any thread; compositing for one source is done one image at a time.
//
// A GIF's declared sizes are not trusted: a logical screen beyond maximumCanvasBytes of pixels
// gets no images, nor does a frame that declares more than twice that many pixels. The default
// bound, 8 megapixels (32 MB, 4096 x 2048), is several times what a full-width picture needs
// on any screen, and keeps the few canvases alive while a GIF plays within a few hundred MB.
class CGImageSource final : public rt::Object {
public:
    static constexpr std::size_t defaultMaximumCanvasBytes = std::size_t(32) << 20;

    static rt::Class* runtimeClass();

    // CGImageSourceCreateWithData. Null for empty data. The bytes are copied.
    static rt::Ref<CGImageSource> create(
        std::span<const std::uint8_t> data, std::size_t maximumCanvasBytes = defaultMaximumCanvasBytes);
    // The same, reading the bytes where they are: `owner` holds them, unchanged, and the source
    // keeps it alive for as long as the source or any of its images needs them.
    static rt::Ref<CGImageSource> create(std::span<const std::uint8_t> data, rt::Ref<rt::Object> owner,
        std::size_t maximumCanvasBytes = defaultMaximumCanvasBytes);

    // An empty source with no type; the runtime's allocator needs it.
    CGImageSource();
    ~CGImageSource() override;

    // CGImageSourceGetType: the uniform type identifier, empty when the data is of no known type.
    std::string_view type() const { return m_type; }
    // CGImageSourceGetCount.
    std::size_t count() const;
    // CGImageSourceCopyProperties.
    CGImageSourceProperties properties() const;
    // CGImageSourceCopyPropertiesAtIndex: nothing beyond the count.
    std::optional<CGImageProperties> propertiesAtIndex(std::size_t) const;
    // CGImageSourceCreateImageAtIndex: premultiplied RGBA (CGImageAlphaInfo::PremultipliedLast).
    // Null beyond the count, when the frame cannot be decoded at all or lies beyond the bound,
    // or when the screen is empty or too large.
    rt::Ref<CGImage> createImageAtIndex(std::size_t);

    // Pixels decoded from the file so far, each row counted at its frame's width: how much work
    // the images made so far have cost.
    std::uint64_t decodedPixels() const;

private:
    static rt::Ref<CGImageSource> read(std::span<const std::uint8_t> data, std::size_t maximumCanvasBytes);
    std::vector<std::uint8_t> composite(std::size_t index);

    std::vector<std::uint8_t> m_copy; // the bytes, when the caller's could not be kept
    rt::Ref<rt::Object> m_owner; // holds the bytes otherwise
    std::span<const std::uint8_t> m_data;
    std::string_view m_type;
    std::unique_ptr<GifContainer> m_container; // the file's structure, for GIF data

    // Guards the compositor's canvas; the compositor exists when the screen is within bounds.
    std::mutex m_lock;
    std::unique_ptr<GifCompositor> m_compositor;
};
