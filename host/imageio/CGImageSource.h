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
// only when an image is asked for, and the source never keeps finished images (it behaves as a
// source created with kCGImageSourceShouldCache off always does).
//
// GIF is the format it decodes. PNG and JPEG data are recognised and answer their type, but this
// source offers no images for them. Other bytes give a source with no type and no images.
//
// A GIF image at an index is the whole logical screen with that frame composited over the
// earlier ones (see GifCompositor). Images may be asked for from any thread; requests for one
// source are served one at a time.
class CGImageSource final : public rt::Object {
public:
    static rt::Class* runtimeClass();

    // CGImageSourceCreateWithData. Null for empty data. The bytes are copied. A logical screen
    // that needs more than maximumCanvasBytes of pixels gets no images.
    static rt::Ref<CGImageSource> create(
        std::span<const std::uint8_t> data, std::size_t maximumCanvasBytes = CGBitmapContext::maximumBytes);

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
    // Null beyond the count, when the frame cannot be decoded at all, or when the screen is empty
    // or too large.
    rt::Ref<CGImage> createImageAtIndex(std::size_t);

private:
    std::vector<std::uint8_t> m_data;
    std::string_view m_type;
    std::unique_ptr<GifContainer> m_container; // the file's structure, for GIF data
    std::size_t m_maximumCanvasBytes { 0 };

    // Guards the compositor, which is created with the first image asked for.
    std::mutex m_lock;
    std::unique_ptr<GifCompositor> m_compositor;
    bool m_compositorRefused { false };
};
