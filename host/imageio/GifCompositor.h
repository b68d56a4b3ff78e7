#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "host/imageio/GifContainer.h"

// Builds the picture a GIF shows at each frame: the logical screen after drawing that frame over
// the ones before it, each earlier frame having been disposed of as its graphic control
// extension asked (left in place, cleared to transparent, or put back as it was before it was
// drawn). Pixels are premultiplied RGBA, rows top first, four bytes per pixel. The screen starts
// transparent and "restore to background" clears to transparent too, as browsers and the
// platform do; the background colour index is never used.
//
// Only the current canvas is kept, plus the area a "restore to previous" frame will put back,
// so asking for the frames in order costs one frame's decoding each. Asking for an earlier frame,
// or for one far ahead, starts again from the latest key frame at or before it: the first frame,
// a frame that follows a full-screen "restore to background", or a frame that paints every pixel
// of the screen opaquely (checked when it is decoded; a damaged one stops being a key frame).
//
// Not thread-safe: the image source serialises calls.
class GifCompositor {
public:
    // Null when the logical screen is empty or would need more than maximumBytes of pixels.
    static std::unique_ptr<GifCompositor> create(
        std::span<const std::uint8_t> file, const GifContainer&, std::size_t maximumBytes);

    // The screen after frame `index`; nothing when that frame could not be decoded at all, in
    // which case it is dropped. A frame whose data breaks off part way shows the rows it has.
    std::optional<std::vector<std::uint8_t>> render(std::size_t index);

    std::size_t bytesPerRow() const { return std::size_t(m_width) * 4; }

private:
    enum class Outcome {
        // Every visible row decoded and every pixel of them painted.
        Covered,
        // Every visible row decoded; some pixels were transparent.
        Complete,
        // The data broke off after some visible rows.
        Partial,
        // Nothing could be decoded.
        Failed,
    };

    GifCompositor(std::span<const std::uint8_t> file, const GifContainer&);

    Outcome compositeThrough(std::size_t index);
    std::optional<std::size_t> latestKeyFrame(std::size_t index, std::size_t lowest) const;
    bool isKeyFrame(std::size_t index) const;
    bool needsVerification(std::size_t index) const;

    void clearCanvas();
    void disposeCurrentFrame();
    Outcome drawFrame(std::size_t index);
    Outcome paint(const GifFrame&);
    // Returns whether every pixel of the row was painted.
    bool paintRow(std::uint32_t canvasRow, std::uint32_t left, std::uint32_t width, const std::uint8_t* indices);
    void buildPalette(const GifFrame&);
    GifRect visiblePart(const GifRect&) const;
    void saveArea(const GifRect&);
    void restoreSavedArea();
    void clearArea(const GifRect&);

    std::span<const std::uint8_t> m_file;
    const GifContainer& m_container;
    std::uint32_t m_width { 0 };
    std::uint32_t m_height { 0 };
    std::vector<std::uint8_t> m_canvas;
    // The canvas holds frame m_current drawn and not yet disposed of; none before any frame.
    std::optional<std::size_t> m_current;
    Outcome m_currentOutcome { Outcome::Failed };
    // What lay under the current frame's visible area, when that frame restores to previous.
    GifRect m_savedArea;
    std::vector<std::uint8_t> m_saved;
    // Frames that looked like opaque full-screen key frames but did not decode completely.
    std::vector<bool> m_rejectedKeyFrames;
    // Premultiplied colours by index as 32-bit words in memory order; 0 marks an index that
    // draws nothing (the transparent one, or one beyond the colour table).
    std::uint32_t m_palette[256] {};
};
