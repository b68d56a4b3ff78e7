#include "GifFixtures.h"

#include <stdexcept>

#include <gif_lib.h>

namespace {

int appendOutput(GifFileType* gif, const GifByteType* bytes, int length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + length);
    return length;
}

void check(int status, const char* what)
{
    if (status != GIF_OK)
        throw std::runtime_error(std::string("giflib failed to ") + what);
}

// giflib wants colour tables of a power-of-two size; missing entries are black.
ColorMapObject* makeColorMap(const std::vector<TestColor>& colors)
{
    if (colors.empty())
        return nullptr;
    int size = 2;
    while (size < static_cast<int>(colors.size()))
        size *= 2;
    std::vector<GifColorType> entries(size, GifColorType { 0, 0, 0 });
    for (std::size_t i = 0; i < colors.size(); ++i)
        entries[i] = { colors[i].r, colors[i].g, colors[i].b };
    return GifMakeMapObject(size, entries.data());
}

void writeLoopCount(GifFileType* gif, int loopCount)
{
    GifByteType count[3] = { 1, GifByteType(loopCount & 0xFF), GifByteType(loopCount >> 8) };
    check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE), "start the loop extension");
    check(EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0"), "write the loop identifier");
    check(EGifPutExtensionBlock(gif, 3, count), "write the loop count");
    check(EGifPutExtensionTrailer(gif), "end the loop extension");
}

void writeFrame(GifFileType* gif, const TestFrame& frame)
{
    if (frame.delay || frame.disposal || frame.transparentIndex >= 0) {
        GraphicsControlBlock control { frame.disposal, false, frame.delay.value_or(0), frame.transparentIndex };
        GifByteType bytes[4];
        EGifGCBToExtension(&control, bytes);
        check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, bytes), "write a graphic control extension");
    }
    ColorMapObject* colors = makeColorMap(frame.localColors);
    int status = EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, frame.interlaced, colors);
    GifFreeMapObject(colors);
    check(status, "write an image descriptor");
    std::vector<int> rows;
    if (frame.interlaced) {
        for (auto [start, step] : { std::pair { 0, 8 }, { 4, 8 }, { 2, 4 }, { 1, 2 } })
            for (int y = start; y < frame.height; y += step)
                rows.push_back(y);
    } else {
        for (int y = 0; y < frame.height; ++y)
            rows.push_back(y);
    }
    for (int y : rows) {
        auto* row = const_cast<GifPixelType*>(frame.indices.data() + std::size_t(y) * frame.width);
        check(EGifPutLine(gif, row, frame.width), "write a row");
    }
}

}

std::vector<std::uint8_t> writeGif(const TestGif& description)
{
    std::vector<std::uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, &appendOutput, &error);
    if (!gif)
        throw std::runtime_error("giflib failed to open an encoder");
    EGifSetGifVersion(gif, true);
    ColorMapObject* colors = makeColorMap(description.globalColors);
    int status = EGifPutScreenDesc(gif, description.width, description.height, 8, 0, colors);
    GifFreeMapObject(colors);
    check(status, "write the screen descriptor");
    if (description.loopCount)
        writeLoopCount(gif, *description.loopCount);
    for (const TestFrame& frame : description.frames)
        writeFrame(gif, frame);
    check(EGifCloseFile(gif, &error), "finish the file");
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
