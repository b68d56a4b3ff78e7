#include "host/imageio/GifCompositor.h"

#include <algorithm>
#include <cstring>

#include "host/imageio/GifFrameDecoder.h"

std::unique_ptr<GifCompositor> GifCompositor::create(
    std::span<const std::uint8_t> file, const GifContainer& container, std::size_t maximumBytes)
{
    std::uint64_t bytes = std::uint64_t(container.screenWidth()) * container.screenHeight() * 4;
    if (!bytes || bytes > maximumBytes)
        return nullptr;
    // A frame larger than the screen is legal and clipped, but decoding it costs what it
    // declares; twice the largest screen leaves room for frames that overhang a little.
    std::uint64_t maximumFramePixels = std::uint64_t(maximumBytes) / 4 * 2;
    return std::unique_ptr<GifCompositor>(new GifCompositor(file, container, maximumFramePixels));
}

GifCompositor::GifCompositor(
    std::span<const std::uint8_t> file, const GifContainer& container, std::uint64_t maximumFramePixels)
    : m_file(file)
    , m_container(container)
    , m_width(container.screenWidth())
    , m_height(container.screenHeight())
    , m_maximumFramePixels(maximumFramePixels)
    , m_keyFrameChecks(container.frames().size(), KeyFrameCheck::Unchecked)
{
}

std::optional<std::vector<std::uint8_t>> GifCompositor::render(std::size_t index)
{
    if (index >= m_container.frames().size())
        return std::nullopt;
    if (m_canvas.empty())
        m_canvas.assign(std::size_t(m_width) * m_height * 4, 0);
    if (compositeThrough(index) == Outcome::Failed)
        return std::nullopt;
    return m_canvas;
}

bool GifCompositor::frameDecodes(std::size_t index) const
{
    if (index >= m_container.frames().size())
        return false;
    const GifFrame& frame = m_container.frames()[index];
    if (!frame.isDecodable() || !isWithinBound(frame))
        return false;
    GifRect visible = visiblePart(frame.rect);
    if (!visible.width || !visible.height)
        return true;
    // The first row the file stores is row 0 of the frame, interlaced or not, and a frame's
    // top row is on the screen whenever any of it is; painting fails only when that row does.
    GifFrameDecoder decoder(m_file, m_container, frame);
    if (!decoder.nextRow())
        return false;
    countDecodedRow(frame);
    return true;
}

bool GifCompositor::isWithinBound(const GifFrame& frame) const
{
    return std::uint64_t(frame.rect.width) * frame.rect.height <= m_maximumFramePixels;
}

GifCompositor::Outcome GifCompositor::compositeThrough(std::size_t index)
{
    if (m_current && *m_current == index)
        return m_currentOutcome;
    // Going forwards, carry on from the canvas in hand unless a key frame lets us skip ahead;
    // a key frame right after the current one saves nothing.
    bool forwards = m_current && *m_current < index;
    std::optional<std::size_t> start = latestKeyFrame(index, forwards ? *m_current + 2 : 0);
    if (start) {
        clearCanvas();
        drawFrame(*start);
    }
    while (*m_current < index) {
        disposeCurrentFrame();
        drawFrame(*m_current + 1);
    }
    return m_currentOutcome;
}

// The first frame is always a key frame, so looking from 0 always finds one.
std::optional<std::size_t> GifCompositor::latestKeyFrame(std::size_t index, std::size_t lowest)
{
    for (std::size_t i = index + 1; i-- > lowest;) {
        if (!mayBeKeyFrame(i))
            continue;
        if (!needsVerification(i))
            return i;
        if (m_keyFrameChecks[i] == KeyFrameCheck::Unchecked) {
            const GifFrame& frame = m_container.frames()[i];
            m_keyFrameChecks[i] = paintsEveryVisibleRow(frame) ? KeyFrameCheck::Confirmed : KeyFrameCheck::Refused;
        }
        if (m_keyFrameChecks[i] == KeyFrameCheck::Confirmed)
            return i;
    }
    return std::nullopt;
}

bool GifCompositor::mayBeKeyFrame(std::size_t index) const
{
    if (!needsVerification(index))
        return true;
    const GifFrame& frame = m_container.frames()[index];
    return m_keyFrameChecks[index] != KeyFrameCheck::Refused && frame.isDecodable() && isWithinBound(frame)
        && frame.rect.covers(m_width, m_height) && !frame.transparentIndex && frame.colorTableCoversAllCodes()
        && frame.disposal != GifDisposal::RestorePrevious;
}

// The first frame and a frame after a full-screen clear start from a transparent screen
// whatever they decode to; any other key frame must prove that it paints every pixel.
bool GifCompositor::needsVerification(std::size_t index) const
{
    if (!index)
        return false;
    const GifFrame& previous = m_container.frames()[index - 1];
    return previous.disposal != GifDisposal::RestoreBackground || !previous.rect.covers(m_width, m_height);
}

// A candidate key frame has no transparent index and a colour table for every code, so it
// paints every pixel of each row it decodes: what matters is that every visible row decodes.
bool GifCompositor::paintsEveryVisibleRow(const GifFrame& frame)
{
    GifRect visible = visiblePart(frame.rect);
    GifFrameDecoder decoder(m_file, m_container, frame);
    std::uint32_t decoded = 0;
    while (decoded < visible.height && decoder.nextRow()) {
        countDecodedRow(frame);
        if (decoder.row() < visible.height)
            ++decoded;
    }
    return decoded == visible.height;
}

void GifCompositor::clearCanvas()
{
    std::fill(m_canvas.begin(), m_canvas.end(), 0);
    m_current.reset();
    m_savedArea = {};
}

void GifCompositor::disposeCurrentFrame()
{
    const GifFrame& frame = m_container.frames()[*m_current];
    if (frame.disposal == GifDisposal::RestoreBackground)
        clearArea(visiblePart(frame.rect));
    else if (frame.disposal == GifDisposal::RestorePrevious)
        restoreSavedArea();
}

GifCompositor::Outcome GifCompositor::drawFrame(std::size_t index)
{
    const GifFrame& frame = m_container.frames()[index];
    if (frame.disposal == GifDisposal::RestorePrevious)
        saveArea(visiblePart(frame.rect));
    else
        m_savedArea = {};
    m_current = index;
    m_currentOutcome = paint(frame);
    return m_currentOutcome;
}

GifCompositor::Outcome GifCompositor::paint(const GifFrame& frame)
{
    if (!frame.isDecodable() || !isWithinBound(frame))
        return Outcome::Failed;
    GifRect visible = visiblePart(frame.rect);
    if (!visible.width || !visible.height)
        return Outcome::Complete;
    buildPalette(frame);
    // Rows below the screen are never shown, so decoding stops once every visible row is in.
    GifFrameDecoder decoder(m_file, m_container, frame);
    std::uint32_t painted = 0;
    bool covered = true;
    while (painted < visible.height && decoder.nextRow()) {
        countDecodedRow(frame);
        if (decoder.row() >= visible.height)
            continue;
        covered &= paintRow(visible.top + decoder.row(), visible.left, visible.width, decoder.indices());
        ++painted;
    }
    if (painted == visible.height)
        return covered ? Outcome::Covered : Outcome::Complete;
    return painted ? Outcome::Partial : Outcome::Failed;
}

void GifCompositor::buildPalette(const GifFrame& frame)
{
    std::fill(std::begin(m_palette), std::end(m_palette), 0);
    const std::uint8_t* table = m_file.data() + frame.colorTableOffset;
    for (std::size_t i = 0; i < frame.colorTableEntries; ++i) {
        std::uint8_t color[4] = { table[3 * i], table[3 * i + 1], table[3 * i + 2], 255 };
        std::memcpy(&m_palette[i], color, 4);
    }
    if (frame.transparentIndex)
        m_palette[*frame.transparentIndex] = 0;
}

bool GifCompositor::paintRow(
    std::uint32_t canvasRow, std::uint32_t left, std::uint32_t width, const std::uint8_t* indices)
{
    std::uint8_t* out = m_canvas.data() + (std::size_t(canvasRow) * m_width + left) * 4;
    std::uint32_t skipped = 0;
    for (std::uint32_t x = 0; x < width; ++x, out += 4) {
        if (std::uint32_t color = m_palette[indices[x]])
            std::memcpy(out, &color, 4);
        else
            ++skipped;
    }
    return !skipped;
}

GifRect GifCompositor::visiblePart(const GifRect& rect) const
{
    std::uint32_t left = std::min(rect.left, m_width), top = std::min(rect.top, m_height);
    std::uint32_t right = std::min(rect.right(), m_width), bottom = std::min(rect.bottom(), m_height);
    return { left, top, right - left, bottom - top };
}

void GifCompositor::saveArea(const GifRect& area)
{
    m_savedArea = area.width && area.height ? area : GifRect {};
    std::size_t rowBytes = std::size_t(area.width) * 4;
    m_saved.resize(rowBytes * area.height);
    for (std::uint32_t y = 0; y < m_savedArea.height; ++y) {
        const std::uint8_t* from = m_canvas.data() + (std::size_t(area.top + y) * m_width + area.left) * 4;
        std::memcpy(m_saved.data() + y * rowBytes, from, rowBytes);
    }
}

void GifCompositor::restoreSavedArea()
{
    std::size_t rowBytes = std::size_t(m_savedArea.width) * 4;
    for (std::uint32_t y = 0; y < m_savedArea.height; ++y) {
        std::uint8_t* to = m_canvas.data() + (std::size_t(m_savedArea.top + y) * m_width + m_savedArea.left) * 4;
        std::memcpy(to, m_saved.data() + y * rowBytes, rowBytes);
    }
}

void GifCompositor::clearArea(const GifRect& area)
{
    if (!area.width)
        return;
    for (std::uint32_t y = 0; y < area.height; ++y) {
        std::uint8_t* row = m_canvas.data() + (std::size_t(area.top + y) * m_width + area.left) * 4;
        std::memset(row, 0, std::size_t(area.width) * 4);
    }
}
