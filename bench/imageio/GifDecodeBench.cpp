// Decoding every frame of a 480x270, 120-frame animation through the image source, beside
// giflib's own whole-file decode (DGifSlurp) followed by the plain compositing any GIF player
// must do: dispose of the previous frame, draw this one through its colour table and
// transparency, and hand out the screen's pixels as a bitmap of their own. The program prints
// the image source's time as a multiple of that anchor.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <gif_lib.h>

#include "host/imageio/CGImageSource.h"

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 270;
constexpr int kFrames = 120;
constexpr int kSprite = 96;

using Bytes = std::vector<std::uint8_t>;

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

// Dithered diagonal bands, the kind of picture that keeps LZW busy as real GIFs do.
std::uint8_t backgroundPixel(int x, int y, int frame)
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

// Every tenth frame redraws the whole screen; the others move a round sprite over it, leaving
// it in place, clearing it away or restoring what was under it, by turns.
Bytes makeAnimation()
{
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, &appendOutput, &error);
    EGifSetGifVersion(gif, true);
    ColorMapObject* palette = makePalette();
    check(EGifPutScreenDesc(gif, kWidth, kHeight, 8, 0, palette));
    GifFreeMapObject(palette);
    for (int frame = 0; frame < kFrames; ++frame) {
        if (frame % 10 == 0) {
            std::vector<GifPixelType> pixels(kWidth * kHeight);
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x)
                    pixels[y * kWidth + x] = backgroundPixel(x, y, frame);
            putFrame(gif, 0, 0, kWidth, kHeight, 1, -1, pixels);
            continue;
        }
        std::vector<GifPixelType> sprite(kSprite * kSprite);
        int radius = kSprite / 2;
        for (int y = 0; y < kSprite; ++y)
            for (int x = 0; x < kSprite; ++x) {
                int dx = x - radius, dy = y - radius;
                sprite[y * kSprite + x] = dx * dx + dy * dy < radius * radius ? 216 + (x + y + frame) % 40 : 255;
            }
        int left = (frame * 37) % (kWidth - kSprite), top = (frame * 23) % (kHeight - kSprite);
        putFrame(gif, left, top, kSprite, kSprite, 1 + frame % 3, 255, sprite);
    }
    check(EGifCloseFile(gif, &error));
    return out;
}

const Bytes& animation()
{
    static const Bytes bytes = makeAnimation();
    return bytes;
}

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

void drawSavedImage(
    const SavedImage& image, const ColorMapObject* colors, int transparent, std::vector<std::uint8_t>& canvas)
{
    const GifImageDesc& d = image.ImageDesc;
    for (int y = 0; y < d.Height && d.Top + y < kHeight; ++y) {
        const GifByteType* row = image.RasterBits + y * d.Width;
        std::uint8_t* out = canvas.data() + ((d.Top + y) * kWidth + d.Left) * 4;
        for (int x = 0; x < d.Width && d.Left + x < kWidth; ++x, out += 4) {
            if (row[x] == transparent || row[x] >= colors->ColorCount)
                continue;
            const GifColorType& c = colors->Colors[row[x]];
            out[0] = c.Red, out[1] = c.Green, out[2] = c.Blue, out[3] = 255;
        }
    }
}

void clearRect(const GifImageDesc& d, std::vector<std::uint8_t>& canvas)
{
    for (int y = d.Top; y < d.Top + d.Height && y < kHeight; ++y)
        std::memset(canvas.data() + (y * kWidth + d.Left) * 4, 0, std::min(d.Width, kWidth - d.Left) * 4);
}

// The anchor: giflib decodes the whole file, then each frame is composited and copied out.
template <class Consumer> bool slurpAndComposite(Consumer&& consume)
{
    MemoryReader reader { &animation(), 0 };
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, &readMemory, &error);
    if (!gif)
        return false;
    if (DGifSlurp(gif) != GIF_OK) {
        DGifCloseFile(gif, &error);
        return false;
    }
    std::vector<std::uint8_t> canvas(kWidth * kHeight * 4), previous;
    GraphicsControlBlock last { DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR };
    for (int i = 0; i < gif->ImageCount; ++i) {
        if (i && last.DisposalMode == DISPOSE_BACKGROUND)
            clearRect(gif->SavedImages[i - 1].ImageDesc, canvas);
        else if (i && last.DisposalMode == DISPOSE_PREVIOUS)
            canvas = previous;
        GraphicsControlBlock control { DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR };
        DGifSavedExtensionToGCB(gif, i, &control);
        if (control.DisposalMode == DISPOSE_PREVIOUS)
            previous = canvas;
        const SavedImage& image = gif->SavedImages[i];
        const ColorMapObject* colors = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        drawSavedImage(image, colors, control.TransparentColor, canvas);
        consume(std::vector<std::uint8_t>(canvas));
        last = control;
    }
    DGifCloseFile(gif, &error);
    return true;
}

void GiflibSlurpAndComposite(benchmark::State& state)
{
    for (auto _ : state) {
        bool decoded
            = slurpAndComposite([](std::vector<std::uint8_t>&& frame) { benchmark::DoNotOptimize(frame.data()); });
        if (!decoded)
            state.SkipWithError("giflib could not decode the animation");
    }
}
BENCHMARK(GiflibSlurpAndComposite)->Unit(benchmark::kMillisecond);

void ImageSourceAllFrames(benchmark::State& state)
{
    for (auto _ : state) {
        auto source = CGImageSource::create(animation());
        for (std::size_t i = 0; i < source->count(); ++i) {
            auto image = source->createImageAtIndex(i);
            benchmark::DoNotOptimize(image.get());
        }
    }
}
BENCHMARK(ImageSourceAllFrames)->Unit(benchmark::kMillisecond);

// Reading the structure alone, which is all that creating a source costs.
void ImageSourceCreate(benchmark::State& state)
{
    for (auto _ : state) {
        auto source = CGImageSource::create(animation());
        benchmark::DoNotOptimize(source->count());
    }
}
BENCHMARK(ImageSourceCreate)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's CPU time per iteration for the ratio printed at the end: the median
// when repetitions give one, else the fastest run.
class Reporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            double seconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                m_medians[name] = seconds;
            else if (run.run_type == Run::RT_Iteration && (!m_fastest.count(name) || seconds < m_fastest[name]))
                m_fastest[name] = seconds;
        }
    }
    double seconds(const std::string& name) const
    {
        if (auto it = m_medians.find(name); it != m_medians.end())
            return it->second;
        auto it = m_fastest.find(name);
        return it == m_fastest.end() ? 0 : it->second;
    }

private:
    std::map<std::string, double> m_medians;
    std::map<std::string, double> m_fastest;
};

}

// Both sides must produce the same pictures, or the comparison means nothing.
bool sidesAgree()
{
    auto source = CGImageSource::create(animation());
    std::size_t index = 0;
    bool agree = source->count() == kFrames;
    slurpAndComposite([&](std::vector<std::uint8_t>&& frame) {
        auto image = source->createImageAtIndex(index++);
        agree = agree && image && image->dataLength() == frame.size()
            && !std::memcmp(image->data(), frame.data(), frame.size());
    });
    return agree && index == kFrames;
}

int main(int argc, char** argv)
{
    if (!sidesAgree()) {
        std::fprintf(stderr, "the image source and the giflib anchor disagree about the animation's pictures\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    double anchor = reporter.seconds("GiflibSlurpAndComposite");
    double source = reporter.seconds("ImageSourceAllFrames");
    std::printf("\nanimation: %dx%d, %d frames, %zu bytes\n", kWidth, kHeight, kFrames, animation().size());
    if (anchor > 0 && source > 0) {
        std::printf("image source / (giflib DGifSlurp + compositing): %.2f (target for the GIF model: <= 1.25)\n",
            source / anchor);
    }
    return 0;
}
