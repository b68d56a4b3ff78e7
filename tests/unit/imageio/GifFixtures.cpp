#include "GifFixtures.h"

#include <algorithm>

// The encoder writes every pixel as its own LZW code and sends a clear code before the code
// table would grow a bit wider, so the code width never changes: the simplest stream every GIF
// decoder must read, and one that owes nothing to the decoder under test.

namespace {

using Bytes = std::vector<std::uint8_t>;

void putWord(Bytes& out, int value)
{
    out.push_back(std::uint8_t(value & 0xFF));
    out.push_back(std::uint8_t(value >> 8));
}

// The size field of a colour table: 2^(field+1) entries, at least as many as given.
int tableSizeField(const std::vector<TestColor>& colors)
{
    int field = 0;
    while ((2u << field) < colors.size())
        ++field;
    return field;
}

void putColorTable(Bytes& out, const std::vector<TestColor>& colors)
{
    for (std::size_t i = 0; i < (2u << tableSizeField(colors)); ++i) {
        TestColor c = i < colors.size() ? colors[i] : TestColor { 0, 0, 0 };
        out.insert(out.end(), { c.r, c.g, c.b });
    }
}

class BitWriter {
public:
    void put(unsigned code, int width)
    {
        m_buffer |= code << m_bits;
        for (m_bits += width; m_bits >= 8; m_bits -= 8, m_buffer >>= 8)
            m_bytes.push_back(std::uint8_t(m_buffer));
    }
    // The packed codes as data sub-blocks with their terminator.
    void finish(Bytes& out)
    {
        if (m_bits)
            m_bytes.push_back(std::uint8_t(m_buffer));
        for (std::size_t at = 0; at < m_bytes.size(); at += 255) {
            std::size_t length = std::min<std::size_t>(255, m_bytes.size() - at);
            out.push_back(std::uint8_t(length));
            out.insert(out.end(), m_bytes.begin() + at, m_bytes.begin() + at + length);
        }
        out.push_back(0);
    }

private:
    unsigned m_buffer { 0 };
    int m_bits { 0 };
    Bytes m_bytes;
};

void putPixels(Bytes& out, const TestFrame& frame, int tableField)
{
    int codeSize = std::max(2, tableField + 1);
    unsigned clear = 1u << codeSize;
    int width = codeSize + 1;
    out.push_back(std::uint8_t(codeSize));
    std::vector<int> rows;
    for (auto [start, step] : frame.interlaced
            ? std::vector<std::pair<int, int>> { { 0, 8 }, { 4, 8 }, { 2, 4 }, { 1, 2 } }
            : std::vector<std::pair<int, int>> { { 0, 1 } })
        for (int y = start; y < frame.height; y += step)
            rows.push_back(y);
    BitWriter bits;
    unsigned sinceClear = clear;
    for (int y : rows) {
        for (int x = 0; x < frame.width; ++x) {
            if (sinceClear >= clear - 2)
                bits.put(clear, width), sinceClear = 0;
            bits.put(frame.indices[std::size_t(y) * frame.width + x], width);
            ++sinceClear;
        }
    }
    bits.put(clear + 1, width);
    bits.finish(out);
}

void putLoopCount(Bytes& out, int loopCount)
{
    out.insert(out.end(), { 0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1 });
    putWord(out, loopCount);
    out.push_back(0);
}

void putFrame(Bytes& out, const TestFrame& frame, int globalField)
{
    if (frame.delay || frame.disposal || frame.transparentIndex >= 0) {
        std::uint8_t fields = std::uint8_t((frame.disposal & 7) << 2 | (frame.transparentIndex >= 0));
        out.insert(out.end(), { 0x21, 0xF9, 4, fields });
        putWord(out, frame.delay.value_or(0));
        out.insert(out.end(), { std::uint8_t(std::max(frame.transparentIndex, 0)), 0 });
    }
    out.push_back(0x2C);
    for (int value : { frame.left, frame.top, frame.width, frame.height })
        putWord(out, value);
    int field = frame.localColors.empty() ? globalField : tableSizeField(frame.localColors);
    out.push_back(std::uint8_t((frame.localColors.empty() ? 0 : 0x80 | field) | (frame.interlaced ? 0x40 : 0)));
    if (!frame.localColors.empty())
        putColorTable(out, frame.localColors);
    putPixels(out, frame, field);
}

}

std::vector<std::uint8_t> writeGif(const TestGif& gif)
{
    Bytes out { 'G', 'I', 'F', '8', '9', 'a' };
    putWord(out, gif.width);
    putWord(out, gif.height);
    int globalField = gif.globalColors.empty() ? 0 : tableSizeField(gif.globalColors);
    out.insert(out.end(), { std::uint8_t(gif.globalColors.empty() ? 0 : 0xF0 | globalField), 0, 0 });
    if (!gif.globalColors.empty())
        putColorTable(out, gif.globalColors);
    if (gif.loopCount)
        putLoopCount(out, *gif.loopCount);
    for (const TestFrame& frame : gif.frames)
        putFrame(out, frame, globalField);
    out.push_back(0x3B);
    return out;
}

TestFrame solidFrame(int left, int top, int width, int height, std::uint8_t index)
{
    TestFrame frame;
    frame.left = left, frame.top = top, frame.width = width, frame.height = height;
    frame.indices.assign(std::size_t(width) * height, index);
    return frame;
}

namespace {

char letterFor(RGBA8 p)
{
    if (p == RGBA8 { 0, 0, 0, 0 })
        return '.';
    for (std::size_t i = 0; i < kTestColors.size(); ++i) {
        if (p == RGBA8 { kTestColors[i].r, kTestColors[i].g, kTestColors[i].b, 255 })
            return "RGBW"[i];
    }
    return '?';
}

}

std::vector<Picture> expectedPictures(const TestGif& gif)
{
    std::vector<RGBA8> canvas(std::size_t(gif.width) * gif.height);
    auto at = [&](int x, int y) -> RGBA8& { return canvas[std::size_t(y) * gif.width + x]; };
    auto onScreen = [&](int x, int y) { return x < gif.width && y < gif.height; };
    std::vector<Picture> pictures;
    for (const TestFrame& frame : gif.frames) {
        std::vector<RGBA8> saved = canvas;
        const auto& colors = frame.localColors.empty() ? gif.globalColors : frame.localColors;
        for (int y = 0; y < frame.height; ++y) {
            for (int x = 0; x < frame.width; ++x) {
                int index = frame.indices[std::size_t(y) * frame.width + x];
                if (index == frame.transparentIndex || index >= int(colors.size())
                    || !onScreen(frame.left + x, frame.top + y))
                    continue;
                at(frame.left + x, frame.top + y) = { colors[index].r, colors[index].g, colors[index].b, 255 };
            }
        }
        Picture rows(gif.height);
        for (int y = 0; y < gif.height; ++y)
            for (int x = 0; x < gif.width; ++x)
                rows[y] += letterFor(at(x, y));
        pictures.push_back(rows);
        if (frame.disposal == 3)
            canvas = saved;
        for (int y = frame.top; frame.disposal == 2 && y < frame.top + frame.height; ++y)
            for (int x = frame.left; x < frame.left + frame.width; ++x)
                if (onScreen(x, y))
                    at(x, y) = {};
    }
    return pictures;
}

Picture picture(const CGImage& image)
{
    Picture rows(image.height());
    for (std::size_t y = 0; y < image.height(); ++y)
        for (std::size_t x = 0; x < image.width(); ++x)
            rows[y] += letterFor(image.pixelAt(x, y));
    return rows;
}

Picture pictureAt(CGImageSource& source, std::size_t index)
{
    auto image = source.createImageAtIndex(index);
    return image ? picture(*image) : Picture { "no image" };
}
