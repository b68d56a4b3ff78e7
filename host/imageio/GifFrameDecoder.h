#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "host/imageio/GifContainer.h"

struct GifFileType;

// Turns one frame's compressed data into rows of colour indices with giflib's streaming decoder.
// giflib reads a stream made of the file's header and global colour table followed directly by
// this frame's descriptor and data, so no other frame is read and nothing is decoded ahead.
// A data stream cut short by the end of the file gets its terminating block supplied here, so
// giflib stops at the first missing code rather than reading past the data.
class GifFrameDecoder {
public:
    // The frame must be decodable (GifFrame::isDecodable) and belong to the container.
    GifFrameDecoder(std::span<const std::uint8_t> file, const GifContainer&, const GifFrame&);
    ~GifFrameDecoder();
    GifFrameDecoder(const GifFrameDecoder&) = delete;
    GifFrameDecoder& operator=(const GifFrameDecoder&) = delete;

    // Decodes the next row in the order the file stores them. False once the data is used up,
    // broken (an impossible code, a missing end) or every row has been read.
    bool nextRow();
    // The row just decoded: its number within the frame (interlacing undone) and its indices.
    std::uint32_t row() const { return m_row; }
    const std::uint8_t* indices() const { return m_indices.data(); }

    // The input giflib reads from, spliced from pieces of the file. Public so that the
    // read callback, a plain function, can reach it.
    struct Stream {
        struct Piece {
            const std::uint8_t* bytes;
            std::size_t length;
        };
        Piece pieces[6] {};
        std::size_t pieceCount { 0 };
        std::size_t piece { 0 };
        std::size_t offset { 0 };
        std::uint8_t supplied[2] {};

        void append(const std::uint8_t* bytes, std::size_t length);
        std::size_t read(std::uint8_t* out, std::size_t length);
    };

private:
    void buildStream(std::span<const std::uint8_t> file, const GifContainer&);
    bool open();
    std::uint32_t rowForSequence(std::uint32_t sequence) const;

    const GifFrame& m_frame;
    Stream m_stream;
    GifFileType* m_gif { nullptr };
    std::vector<std::uint8_t> m_indices;
    std::uint32_t m_sequence { 0 };
    std::uint32_t m_row { 0 };
    bool m_failed { false };
};
