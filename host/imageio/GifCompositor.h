#pragma once

#include <atomic>
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
// of the screen opaquely. Whether such a frame really paints every pixel is learnt by decoding
// it once on its own, without touching the canvas, so a frame that turns out damaged costs one
// extra decoding in the compositor's life and never throws away the canvas in hand: the work
// stays linear in the frames passed, whatever they hold.
//
// The file's declared sizes are not trusted: a screen beyond the caller's bound gets no
// compositor, and a frame that declares more than twice the bound's pixels is not decoded
// (it draws nothing and counts as undecodable). A frame of zero width or height draws nothing
// and is otherwise a frame like any other.
//
// Not thread-safe, except for frameDecodes() and decodedPixels(): the image source serialises
// the other calls.
class GifCompositor {
public:
    // Null when the logical screen is empty or would need more than maximumBytes of pixels.
    // The canvas is allocated when the first picture is asked for.
    static std::unique_ptr<GifCompositor> create(
        std::span<const std::uint8_t> file, const GifContainer&, std::size_t maximumBytes);

    // The screen after frame `index`; nothing when that frame could not be decoded at all, in
    // which case it is dropped. A frame whose data breaks off part way shows the rows it has.
    std::optional<std::vector<std::uint8_t>> render(std::size_t index);

    // Whether render(index) will give a picture, learnt from the frame's structure and its
    // first row alone, so that an image can be promised without compositing anything.
    bool frameDecodes(std::size_t index) const;

    // Pixels decoded from the file so far (each row counted at the frame's width).
    std::uint64_t decodedPixels() const { return m_decodedPixels.load(std::memory_order_relaxed); }

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
    enum class KeyFrameCheck : std::uint8_t { Unchecked, Confirmed, Refused };

    GifCompositor(std::span<const std::uint8_t> file, const GifContainer&, std::uint64_t maximumFramePixels);

    Outcome compositeThrough(std::size_t index);
    std::optional<std::size_t> latestKeyFrame(std::size_t index, std::size_t lowest);
    bool mayBeKeyFrame(std::size_t index) const;
    bool needsVerification(std::size_t index) const;
    bool paintsEveryVisibleRow(const GifFrame&);
    bool isWithinBound(const GifFrame&) const;

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
    void countDecodedRow(const GifFrame& frame) const
    {
        m_decodedPixels.fetch_add(frame.rect.width, std::memory_order_relaxed);
    }

    std::span<const std::uint8_t> m_file;
    const GifContainer& m_container;
    std::uint32_t m_width { 0 };
    std::uint32_t m_height { 0 };
    std::uint64_t m_maximumFramePixels { 0 };
    std::vector<std::uint8_t> m_canvas;
    // The canvas holds frame m_current drawn and not yet disposed of; none before any frame.
    std::optional<std::size_t> m_current;
    Outcome m_currentOutcome { Outcome::Failed };
    // What lay under the current frame's visible area, when that frame restores to previous.
    GifRect m_savedArea;
    std::vector<std::uint8_t> m_saved;
    // What decoding has shown about frames that look like opaque full-screen key frames.
    std::vector<KeyFrameCheck> m_keyFrameChecks;
    // Premultiplied colours by index as 32-bit words in memory order; 0 marks an index that
    // draws nothing (the transparent one, or one beyond the colour table).
    std::uint32_t m_palette[256] {};
    mutable std::atomic<std::uint64_t> m_decodedPixels { 0 };
};
