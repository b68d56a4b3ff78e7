#include "host/imageio/GifFrameDecoder.h"

#include <algorithm>
#include <cstring>

#include <gif_lib.h>

namespace {

int readFromStream(GifFileType* gif, GifByteType* out, int length)
{
    auto* stream = static_cast<GifFrameDecoder::Stream*>(gif->UserData);
    return length <= 0 ? 0 : static_cast<int>(stream->read(out, static_cast<std::size_t>(length)));
}

}

void GifFrameDecoder::Stream::append(const std::uint8_t* bytes, std::size_t length)
{
    if (length)
        pieces[pieceCount++] = { bytes, length };
}

std::size_t GifFrameDecoder::Stream::read(std::uint8_t* out, std::size_t length)
{
    std::size_t copied = 0;
    while (copied < length && piece < pieceCount) {
        const Piece& current = pieces[piece];
        std::size_t count = std::min(length - copied, current.length - offset);
        std::memcpy(out + copied, current.bytes + offset, count);
        copied += count;
        offset += count;
        if (offset == current.length)
            ++piece, offset = 0;
    }
    return copied;
}

GifFrameDecoder::GifFrameDecoder(
    std::span<const std::uint8_t> file, const GifContainer& container, const GifFrame& frame)
    : m_frame(frame)
    , m_indices(frame.rect.width)
{
    buildStream(file, container);
    m_failed = !open();
}

GifFrameDecoder::~GifFrameDecoder()
{
    if (m_gif)
        DGifCloseFile(m_gif, nullptr);
}

void GifFrameDecoder::buildStream(std::span<const std::uint8_t> file, const GifContainer& container)
{
    const std::uint8_t* bytes = file.data();
    m_stream.append(bytes, container.headerEnd());
    m_stream.append(bytes + m_frame.descriptorOffset, m_frame.dataOffset - m_frame.descriptorOffset);
    if (m_frame.dataComplete) {
        m_stream.append(bytes + m_frame.dataOffset, m_frame.dataEnd - m_frame.dataOffset);
        return;
    }
    // The data runs into the end of the file. Pass on the whole sub-blocks, then what is left
    // of the cut one under a corrected length, then a terminator.
    std::size_t end = m_frame.dataEnd;
    std::size_t position = m_frame.dataOffset;
    while (position < end && end - position - 1 >= bytes[position])
        position += 1 + std::size_t(bytes[position]);
    m_stream.append(bytes + m_frame.dataOffset, position - m_frame.dataOffset);
    if (position < end) {
        m_stream.supplied[0] = static_cast<std::uint8_t>(end - position - 1);
        m_stream.append(&m_stream.supplied[0], 1);
        m_stream.append(bytes + position + 1, end - position - 1);
    }
    m_stream.append(&m_stream.supplied[1], 1);
}

bool GifFrameDecoder::open()
{
    int error = 0;
    m_gif = DGifOpen(&m_stream, &readFromStream, &error);
    if (!m_gif)
        return false;
    GifRecordType record;
    return DGifGetRecordType(m_gif, &record) == GIF_OK && record == IMAGE_DESC_RECORD_TYPE
        && DGifGetImageDesc(m_gif) == GIF_OK;
}

bool GifFrameDecoder::nextRow()
{
    if (m_failed || m_sequence >= m_frame.rect.height)
        return false;
    int width = static_cast<int>(m_frame.rect.width);
    if (DGifGetLine(m_gif, m_indices.data(), width) != GIF_OK) {
        m_failed = true;
        return false;
    }
    m_row = m_frame.interlaced ? rowForSequence(m_sequence) : m_sequence;
    ++m_sequence;
    return true;
}

// Interlaced images store every 8th row from 0, every 8th from 4, every 4th from 2 and then
// every 2nd from 1.
std::uint32_t GifFrameDecoder::rowForSequence(std::uint32_t sequence) const
{
    std::uint32_t height = m_frame.rect.height;
    std::uint32_t passes[4][2] = { { 0, 8 }, { 4, 8 }, { 2, 4 }, { 1, 2 } };
    for (auto [start, step] : passes) {
        std::uint32_t rows = start < height ? (height - start + step - 1) / step : 0;
        if (sequence < rows)
            return start + sequence * step;
        sequence -= rows;
    }
    return 0;
}
