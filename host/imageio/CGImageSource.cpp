#include "host/imageio/CGImageSource.h"

#include "host/imageio/GifCompositor.h"
#include "host/imageio/UniformType.h"
#include "host/runtime/RootClass.h"

namespace {

constexpr double kShortestUnclampedDelay = 0.011;
constexpr double kClampedDelay = 0.1;

}

rt::Class* CGImageSource::runtimeClass()
{
    static rt::Class* cls = rt::defineCppClass<CGImageSource>("CGImageSource", rt::rootClass());
    return cls;
}

// Registered when the host loads, so that a lookup by name finds the class before any source
// has been created.
[[gnu::constructor]] static void registerCGImageSourceClass()
{
    CGImageSource::runtimeClass();
}

CGImageSource::CGImageSource() = default;
CGImageSource::~CGImageSource() = default;

rt::Ref<CGImageSource> CGImageSource::create(std::span<const std::uint8_t> data, std::size_t maximumCanvasBytes)
{
    if (data.empty())
        return nullptr;
    std::vector<std::uint8_t> copy(data.begin(), data.end());
    auto source = read(copy, maximumCanvasBytes);
    // Moving a vector keeps its buffer, so the spans read from the copy stay valid.
    source->m_copy = std::move(copy);
    return source;
}

rt::Ref<CGImageSource> CGImageSource::create(
    std::span<const std::uint8_t> data, rt::Ref<rt::Object> owner, std::size_t maximumCanvasBytes)
{
    if (data.empty())
        return nullptr;
    if (!owner)
        return create(data, maximumCanvasBytes);
    auto source = read(data, maximumCanvasBytes);
    source->m_owner = std::move(owner);
    return source;
}

rt::Ref<CGImageSource> CGImageSource::read(std::span<const std::uint8_t> data, std::size_t maximumCanvasBytes)
{
    auto source = rt::createObject<CGImageSource>(runtimeClass());
    source->m_data = data;
    source->m_type = imageTypeOfData(data.data(), data.size());
    if (source->m_type == kUTTypeGIF) {
        if (auto container = GifContainer::read(data)) {
            source->m_container = std::make_unique<GifContainer>(std::move(*container));
            source->m_compositor = GifCompositor::create(data, *source->m_container, maximumCanvasBytes);
        }
    }
    return source;
}

std::size_t CGImageSource::count() const
{
    return m_container ? m_container->frames().size() : 0;
}

CGImageSourceProperties CGImageSource::properties() const
{
    CGImageSourceProperties properties;
    properties.fileSize = m_data.size();
    if (m_container) {
        properties.gif = CGImageSourceProperties::GIF { m_container->screenWidth(), m_container->screenHeight(),
            m_container->hasGlobalColorTable(), m_container->loopCount() };
    }
    return properties;
}

std::optional<CGImageProperties> CGImageSource::propertiesAtIndex(std::size_t index) const
{
    if (index >= count())
        return std::nullopt;
    const GifFrame& frame = m_container->frames()[index];
    CGImageProperties properties;
    properties.pixelWidth = m_container->screenWidth();
    properties.pixelHeight = m_container->screenHeight();
    if (frame.delayCentiseconds) {
        double delay = *frame.delayCentiseconds / 100.0;
        properties.unclampedDelayTime = delay;
        properties.delayTime = delay < kShortestUnclampedDelay ? kClampedDelay : delay;
    }
    return properties;
}

rt::Ref<CGImage> CGImageSource::createImageAtIndex(std::size_t index)
{
    if (index >= count() || !m_compositor || !m_compositor->frameDecodes(index))
        return nullptr;
    // The image keeps the source, and so the file and the compositor, until it has its pixels.
    return CGImage::createLazily(m_container->screenWidth(), m_container->screenHeight(), m_compositor->bytesPerRow(),
        CGImageAlphaInfo::PremultipliedLast,
        [source = rt::Ref<CGImageSource>(this), index] { return source->composite(index); });
}

std::vector<std::uint8_t> CGImageSource::composite(std::size_t index)
{
    std::lock_guard guard(m_lock);
    // A frame that decodes at all always gives a picture; should it not, the image is left
    // transparent rather than made of whatever memory held.
    return m_compositor->render(index).value_or(std::vector<std::uint8_t> {});
}

std::uint64_t CGImageSource::decodedPixels() const
{
    return m_compositor ? m_compositor->decodedPixels() : 0;
}
