#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The block structure of a GIF file, read without decoding any pixels: the logical screen, the
// loop count and, for each image, where its descriptor, colour table and compressed data lie
// and what its graphic control extension said. An image source keeps one of these for its whole
// life, so it holds a few dozen bytes per frame and no pixels.
//
// Reading stops at the trailer, at a byte that starts no known block, or where the data ends.
// An image counts as a frame once its descriptor, colour table and code size are all present;
// its compressed data may still be cut short, and decoding then yields what is there.

enum class GifDisposal : std::uint8_t {
    // 0 (unspecified), 1 and the undefined values 4 to 7 all leave the frame in place.
    None,
    RestoreBackground,
    RestorePrevious,
};

struct GifRect {
    std::uint32_t left { 0 }, top { 0 }, width { 0 }, height { 0 };

    std::uint32_t right() const { return left + width; }
    std::uint32_t bottom() const { return top + height; }
    bool covers(std::uint32_t screenWidth, std::uint32_t screenHeight) const
    {
        return !left && !top && width >= screenWidth && height >= screenHeight;
    }
};

struct GifFrame {
    GifRect rect;
    bool interlaced { false };
    GifDisposal disposal { GifDisposal::None };
    std::optional<std::uint8_t> transparentIndex;
    // Hundredths of a second, from the graphic control extension; absent without one.
    std::optional<std::uint16_t> delayCentiseconds;
    // The colour table in force (local, else global); zero entries when there is none.
    std::size_t colorTableOffset { 0 };
    std::uint16_t colorTableEntries { 0 };
    std::uint8_t minimumCodeSize { 0 };
    // The image descriptor starts at descriptorOffset (its 0x2C separator); the sub-blocks of
    // compressed data start at dataOffset and end before dataEnd: after the terminating
    // zero-length block when dataComplete, else at the end of the file.
    std::size_t descriptorOffset { 0 };
    std::size_t dataOffset { 0 };
    std::size_t dataEnd { 0 };
    bool dataComplete { false };

    // Whether the decoder can turn the data into pixels at all: a colour table and a code size
    // the LZW scheme allows. A frame of zero width or height needs no decoding and draws
    // nothing, but is still a frame.
    bool isDecodable() const;
    // Whether every code the data may hold names a colour of the table.
    bool colorTableCoversAllCodes() const
    {
        return minimumCodeSize <= 8 && colorTableEntries >= (1u << minimumCodeSize);
    }
};

class GifContainer {
public:
    // Null unless the bytes begin with a GIF signature and a complete logical screen descriptor
    // and global colour table.
    static std::optional<GifContainer> read(std::span<const std::uint8_t>);

    std::uint32_t screenWidth() const { return m_screenWidth; }
    std::uint32_t screenHeight() const { return m_screenHeight; }
    bool hasGlobalColorTable() const { return m_hasGlobalColorTable; }
    // The header, logical screen descriptor and global colour table end here.
    std::size_t headerEnd() const { return m_headerEnd; }
    // From the NETSCAPE2.0 (or ANIMEXTS1.0) application extension; 0 means for ever.
    std::optional<std::uint16_t> loopCount() const { return m_loopCount; }
    const std::vector<GifFrame>& frames() const { return m_frames; }

private:
    class Reader;
    // What a graphic control extension says about the image that follows it.
    struct GraphicControl {
        GifDisposal disposal { GifDisposal::None };
        std::optional<std::uint8_t> transparentIndex;
        std::uint16_t delayCentiseconds { 0 };
    };

    GifContainer() = default;
    // Each returns false when reading must stop: the data ended or could not be followed.
    bool readImage(Reader&, std::optional<GraphicControl>&);
    bool readExtension(Reader&, std::optional<GraphicControl>&);
    bool readApplicationExtension(Reader&);

    std::uint32_t m_screenWidth { 0 };
    std::uint32_t m_screenHeight { 0 };
    bool m_hasGlobalColorTable { false };
    std::uint16_t m_globalColorTableEntries { 0 };
    std::size_t m_headerEnd { 0 };
    std::optional<std::uint16_t> m_loopCount;
    std::vector<GifFrame> m_frames;
};
