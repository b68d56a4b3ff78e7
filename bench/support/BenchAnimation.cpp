#include "BenchAnimation.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include <gif_lib.h>

namespace {

void check(int status)
{
    if (status != GIF_OK)
        throw std::runtime_error("giflib could not write the benchmark animation");
}

int appendOutput(GifFileType* gif, const GifByteType* bytes, int length)
{
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + length);
    return length;
}

// A 6x6x6 colour cube and a ramp of greys; index 255 is the sprites' transparent colour.
ColorMapObject* makePalette()
{
    GifColorType colors[256] {};
    for (int i = 0; i < 216; ++i)
        colors[i] = { GifByteType(i / 36 * 51), GifByteType(i / 6 % 6 * 51), GifByteType(i % 6 * 51) };
    for (int i = 216; i < 256; ++i)
        colors[i] = { GifByteType((i - 216) * 6), GifByteType((i - 216) * 6), GifByteType((i - 216) * 6) };
    return GifMakeMapObject(256, colors);
}

std::uint8_t bandPixel(int x, int y, int frame)
{
    unsigned noise = (unsigned(x) * 73856093u ^ unsigned(y) * 19349663u ^ unsigned(frame) * 83492791u) >> 7;
    return std::uint8_t(((x + 2 * frame) / 6 + y / 5 + noise % 3) % 216);
}

void putFrame(GifFileType* gif, int left, int top, int width, int height, int disposal, int transparent,
    const std::vector<GifPixelType>& pixels)
{
    GraphicsControlBlock control { disposal, false, 4, transparent };
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension));
    check(EGifPutImageDesc(gif, left, top, width, height, false, nullptr));
    for (int y = 0; y < height; ++y)
        check(EGifPutLine(gif, const_cast<GifPixelType*>(pixels.data()) + y * width, width));
}

class Writer {
public:
    Writer(int width, int height)
    {
        int error = 0;
        m_gif = EGifOpen(&m_out, &appendOutput, &error);
        EGifSetGifVersion(m_gif, true);
        ColorMapObject* palette = makePalette();
        check(EGifPutScreenDesc(m_gif, width, height, 8, 0, palette));
        GifFreeMapObject(palette);
    }
    GifFileType* gif() { return m_gif; }
    Bytes finish()
    {
        int error = 0;
        check(EGifCloseFile(m_gif, &error));
        return std::move(m_out);
    }

private:
    Bytes m_out;
    GifFileType* m_gif;
};

std::vector<GifPixelType> bands(int width, int height, int frame)
{
    std::vector<GifPixelType> pixels(std::size_t(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[std::size_t(y) * width + x] = bandPixel(x, y, frame);
    return pixels;
}

}

Bytes spriteAnimation(int width, int height, int frames)
{
    constexpr int sprite = 96;
    Writer writer(width, height);
    for (int frame = 0; frame < frames; ++frame) {
        if (frame % 10 == 0) {
            putFrame(writer.gif(), 0, 0, width, height, 1, -1, bands(width, height, frame));
            continue;
        }
        std::vector<GifPixelType> pixels(sprite * sprite);
        int radius = sprite / 2;
        for (int y = 0; y < sprite; ++y)
            for (int x = 0; x < sprite; ++x) {
                int dx = x - radius, dy = y - radius;
                pixels[y * sprite + x] = dx * dx + dy * dy < radius * radius ? 216 + (x + y + frame) % 40 : 255;
            }
        int left = (frame * 37) % (width - sprite), top = (frame * 23) % (height - sprite);
        putFrame(writer.gif(), left, top, sprite, sprite, 1 + frame % 3, 255, pixels);
    }
    return writer.finish();
}

Bytes fullFrameAnimation(int width, int height, int frames)
{
    Writer writer(width, height);
    for (int frame = 0; frame < frames; ++frame)
        putFrame(writer.gif(), 0, 0, width, height, 1, -1, bands(width, height, frame * 7));
    return writer.finish();
}

namespace {

struct MemoryReader {
    const Bytes* bytes;
    std::size_t offset;
};

int readMemory(GifFileType* gif, GifByteType* out, int length)
{
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    std::size_t count = std::min<std::size_t>(length, reader->bytes->size() - reader->offset);
    std::memcpy(out, reader->bytes->data() + reader->offset, count);
    reader->offset += count;
    return int(count);
}

void drawSavedImage(const SavedImage& image, const ColorMapObject* colors, int transparent, int width, int height,
    std::vector<std::uint8_t>& canvas)
{
    const GifImageDesc& d = image.ImageDesc;
    for (int y = 0; y < d.Height && d.Top + y < height; ++y) {
        const GifByteType* row = image.RasterBits + y * d.Width;
        std::uint8_t* out = canvas.data() + (std::size_t(d.Top + y) * width + d.Left) * 4;
        for (int x = 0; x < d.Width && d.Left + x < width; ++x, out += 4) {
            if (row[x] == transparent || row[x] >= colors->ColorCount)
                continue;
            const GifColorType& c = colors->Colors[row[x]];
            out[0] = c.Red, out[1] = c.Green, out[2] = c.Blue, out[3] = 255;
        }
    }
}

void clearRect(const GifImageDesc& d, int width, int height, std::vector<std::uint8_t>& canvas)
{
    for (int y = d.Top; y < d.Top + d.Height && y < height; ++y)
        std::memset(canvas.data() + (std::size_t(y) * width + d.Left) * 4, 0, std::min(d.Width, width - d.Left) * 4);
}

}

bool giflibDecodeAndComposite(const Bytes& bytes, const std::function<void(std::vector<std::uint8_t>&&)>& consume)
{
    MemoryReader reader { &bytes, 0 };
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, &readMemory, &error);
    if (!gif)
        return false;
    if (DGifSlurp(gif) != GIF_OK) {
        DGifCloseFile(gif, &error);
        return false;
    }
    int width = gif->SWidth, height = gif->SHeight;
    std::vector<std::uint8_t> canvas(std::size_t(width) * height * 4), previous;
    GraphicsControlBlock last { DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR };
    for (int i = 0; i < gif->ImageCount; ++i) {
        if (i && last.DisposalMode == DISPOSE_BACKGROUND)
            clearRect(gif->SavedImages[i - 1].ImageDesc, width, height, canvas);
        else if (i && last.DisposalMode == DISPOSE_PREVIOUS)
            canvas = previous;
        GraphicsControlBlock control { DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR };
        DGifSavedExtensionToGCB(gif, i, &control);
        if (control.DisposalMode == DISPOSE_PREVIOUS)
            previous = canvas;
        const SavedImage& image = gif->SavedImages[i];
        const ColorMapObject* colors = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        drawSavedImage(image, colors, control.TransparentColor, width, height, canvas);
        consume(std::vector<std::uint8_t>(canvas));
        last = control;
    }
    DGifCloseFile(gif, &error);
    return true;
}
