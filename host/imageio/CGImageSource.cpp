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
    auto source = rt::createObject<CGImageSource>(runtimeClass());
    source->m_data.assign(data.begin(), data.end());
    source->m_type = imageTypeOfData(source->m_data.data(), source->m_data.size());
    source->m_maximumCanvasBytes = maximumCanvasBytes;
    if (source->m_type == kUTTypeGIF) {
        if (auto container = GifContainer::read(source->m_data))
            source->m_container = std::make_unique<GifContainer>(std::move(*container));
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
    if (index >= count())
        return nullptr;
    std::optional<std::vector<std::uint8_t>> pixels;
    {
        std::lock_guard guard(m_lock);
        if (!m_compositor && !m_compositorRefused) {
            m_compositor = GifCompositor::create(m_data, *m_container, m_maximumCanvasBytes);
            m_compositorRefused = !m_compositor;
        }
        if (!m_compositor)
            return nullptr;
        pixels = m_compositor->render(index);
    }
    if (!pixels)
        return nullptr;
    return CGImage::create(m_container->screenWidth(), m_container->screenHeight(),
        std::size_t(m_container->screenWidth()) * 4, CGImageAlphaInfo::PremultipliedLast, std::move(*pixels));
}
