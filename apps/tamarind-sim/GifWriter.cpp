#include "GifWriter.h"

#include <algorithm>
#include <cmath>
#include <gif_lib.h>

#include "host/imageio/CGImage.h"

namespace {

// GIF delays are hundredths of a second; viewers play anything shorter than two as ten.
int hundredths(double seconds)
{
    return std::clamp(static_cast<int>(std::lround(seconds * 100)), 2, 65535);
}

bool putLoopForever(GifFileType* gif)
{
    static const unsigned char application[] = { 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0' };
    static const unsigned char loops[] = { 1, 0, 0 };
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK
        && EGifPutExtensionBlock(gif, sizeof application, application) == GIF_OK
        && EGifPutExtensionBlock(gif, sizeof loops, loops) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool putFrame(GifFileType* gif, const GifWriterFrame& frame)
{
    const CGImage& image = *frame.image;
    int width = static_cast<int>(image.width()), height = static_cast<int>(image.height());
    std::size_t count = image.width() * image.height();
    std::vector<GifByteType> red(count), green(count), blue(count), indexes(count);
    for (std::size_t y = 0; y < image.height(); ++y) {
        const std::uint8_t* row = image.data() + y * image.bytesPerRow();
        for (std::size_t x = 0; x < image.width(); ++x) {
            std::size_t i = y * image.width() + x;
            red[i] = row[x * 4];
            green[i] = row[x * 4 + 1];
            blue[i] = row[x * 4 + 2];
        }
    }
    int colors = 256;
    GifColorType palette[256] = {};
    if (GifQuantizeBuffer(static_cast<unsigned>(width), static_cast<unsigned>(height), &colors, red.data(),
            green.data(), blue.data(), indexes.data(), palette)
        != GIF_OK)
        return false;
    ColorMapObject* map = GifMakeMapObject(256, palette);
    int delay = hundredths(frame.seconds);
    unsigned char control[]
        = { 0, static_cast<unsigned char>(delay & 0xff), static_cast<unsigned char>(delay >> 8), 0 };
    bool ok = map && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, sizeof control, control) == GIF_OK
        && EGifPutImageDesc(gif, 0, 0, width, height, false, map) == GIF_OK;
    for (int y = 0; ok && y < height; ++y)
        ok = EGifPutLine(gif, indexes.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width), width)
            == GIF_OK;
    GifFreeMapObject(map);
    return ok;
}

}

bool writeAnimatedGif(const std::string& path, const std::vector<GifWriterFrame>& frames, std::string& error)
{
    if (frames.empty() || !frames.front().image) {
        error = "no frames to write to " + path;
        return false;
    }
    int status = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &status);
    if (!gif) {
        error = "cannot write " + path + ": " + GifErrorString(status);
        return false;
    }
    EGifSetGifVersion(gif, true);
    const CGImage& first = *frames.front().image;
    bool ok = EGifPutScreenDesc(gif, static_cast<int>(first.width()), static_cast<int>(first.height()), 8, 0, nullptr)
            == GIF_OK
        && putLoopForever(gif);
    for (const auto& frame : frames) {
        if (!ok)
            break;
        ok = frame.image && frame.image->width() == first.width() && frame.image->height() == first.height()
            && putFrame(gif, frame);
    }
    if (EGifCloseFile(gif, &status) != GIF_OK || !ok) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
