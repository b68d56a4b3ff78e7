#include "host/imageio/GifContainer.h"

#include <cstring>

#include "host/imageio/UniformType.h"

namespace {

constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kGraphicControlLabel = 0xF9;
constexpr std::uint8_t kPlainTextLabel = 0x01;
constexpr std::uint8_t kApplicationLabel = 0xFF;
constexpr std::size_t kScreenDescriptorEnd = 13;

// A colour table's size field n stands for 2^(n+1) entries of three bytes.
std::uint16_t colorTableEntries(std::uint8_t packedFields)
{
    return std::uint16_t(2u << (packedFields & 7));
}

GifDisposal disposalFromField(unsigned method)
{
    switch (method) {
    case 2:
        return GifDisposal::RestoreBackground;
    case 3:
        return GifDisposal::RestorePrevious;
    default:
        return GifDisposal::None;
    }
}

}

// Bounds-checked reading from the file's bytes; every read fails cleanly at the end.
class GifContainer::Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes)
        : m_bytes(bytes)
    {
    }

    std::size_t position() const { return m_position; }
    std::size_t remaining() const { return m_bytes.size() - m_position; }
    void seek(std::size_t position) { m_position = position; }

    const std::uint8_t* take(std::size_t count)
    {
        if (remaining() < count)
            return nullptr;
        const std::uint8_t* start = m_bytes.data() + m_position;
        m_position += count;
        return start;
    }
    bool readByte(std::uint8_t& value)
    {
        const std::uint8_t* p = take(1);
        return p && (value = *p, true);
    }
    static std::uint16_t littleEndian16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }

    // Skips data sub-blocks up to and including the zero-length terminator.
    bool skipSubBlocks()
    {
        for (std::uint8_t length; readByte(length);) {
            if (!length)
                return true;
            if (!take(length))
                return false;
        }
        return false;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position { 0 };
};

bool GifFrame::isDecodable() const
{
    return colorTableEntries && minimumCodeSize >= 1 && minimumCodeSize <= 8;
}

std::optional<GifContainer> GifContainer::read(std::span<const std::uint8_t> bytes)
{
    if (!isGIFData(bytes.data(), bytes.size()) || bytes.size() < kScreenDescriptorEnd)
        return std::nullopt;
    GifContainer container;
    Reader reader(bytes);
    reader.seek(6);
    const std::uint8_t* screen = reader.take(7);
    container.m_screenWidth = Reader::littleEndian16(screen);
    container.m_screenHeight = Reader::littleEndian16(screen + 2);
    if (screen[4] & 0x80) {
        container.m_hasGlobalColorTable = true;
        container.m_globalColorTableEntries = colorTableEntries(screen[4]);
        if (!reader.take(3 * std::size_t(container.m_globalColorTableEntries)))
            return std::nullopt;
    }
    container.m_headerEnd = reader.position();

    std::optional<GraphicControl> control;
    for (std::uint8_t introducer; reader.readByte(introducer);) {
        bool goOn = false;
        if (introducer == kImageSeparator)
            goOn = container.readImage(reader, control);
        else if (introducer == kExtensionIntroducer)
            goOn = container.readExtension(reader, control);
        // The trailer and any byte that starts no block end the file alike.
        if (!goOn)
            break;
    }
    return container;
}

bool GifContainer::readImage(Reader& reader, std::optional<GraphicControl>& control)
{
    GifFrame frame;
    frame.descriptorOffset = reader.position() - 1;
    const std::uint8_t* descriptor = reader.take(9);
    if (!descriptor)
        return false;
    frame.rect = { Reader::littleEndian16(descriptor), Reader::littleEndian16(descriptor + 2),
        Reader::littleEndian16(descriptor + 4), Reader::littleEndian16(descriptor + 6) };
    std::uint8_t fields = descriptor[8];
    frame.interlaced = fields & 0x40;
    if (fields & 0x80) {
        frame.colorTableEntries = colorTableEntries(fields);
        frame.colorTableOffset = reader.position();
        if (!reader.take(3 * std::size_t(frame.colorTableEntries)))
            return false;
    } else if (m_hasGlobalColorTable) {
        frame.colorTableEntries = m_globalColorTableEntries;
        frame.colorTableOffset = kScreenDescriptorEnd;
    }
    if (!reader.readByte(frame.minimumCodeSize))
        return false;
    if (control) {
        frame.disposal = control->disposal;
        frame.transparentIndex = control->transparentIndex;
        frame.delayCentiseconds = control->delayCentiseconds;
        control.reset();
    }
    frame.dataOffset = reader.position();
    frame.dataComplete = reader.skipSubBlocks();
    frame.dataEnd = frame.dataComplete ? reader.position() : reader.position() + reader.remaining();
    m_frames.push_back(frame);
    return frame.dataComplete;
}

bool GifContainer::readExtension(Reader& reader, std::optional<GraphicControl>& control)
{
    std::uint8_t label;
    if (!reader.readByte(label))
        return false;
    if (label == kApplicationLabel)
        return readApplicationExtension(reader);
    if (label == kPlainTextLabel)
        control.reset();
    if (label != kGraphicControlLabel)
        return reader.skipSubBlocks();

    std::uint8_t length;
    if (!reader.readByte(length))
        return false;
    const std::uint8_t* block = reader.take(length);
    if (!block)
        return false;
    // A graphic control block shorter than its four fixed bytes says nothing usable.
    if (length >= 4) {
        GraphicControl parsed;
        parsed.disposal = disposalFromField((block[0] >> 2) & 7);
        parsed.delayCentiseconds = Reader::littleEndian16(block + 1);
        if (block[0] & 1)
            parsed.transparentIndex = block[3];
        control = parsed;
    }
    return !length || reader.skipSubBlocks();
}

bool GifContainer::readApplicationExtension(Reader& reader)
{
    std::uint8_t length;
    if (!reader.readByte(length))
        return false;
    const std::uint8_t* identifier = reader.take(length);
    if (!identifier)
        return false;
    if (!length)
        return true;
    bool isLooping
        = length == 11 && (!std::memcmp(identifier, "NETSCAPE2.0", 11) || !std::memcmp(identifier, "ANIMEXTS1.0", 11));
    for (std::uint8_t blockLength; reader.readByte(blockLength);) {
        if (!blockLength)
            return true;
        const std::uint8_t* block = reader.take(blockLength);
        if (!block)
            return false;
        // Sub-block 1 carries the loop count; the first one in the file is the one that counts.
        if (isLooping && blockLength >= 3 && block[0] == 1 && !m_loopCount)
            m_loopCount = Reader::littleEndian16(block + 1);
    }
    return false;
}
