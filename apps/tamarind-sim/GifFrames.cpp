#include "GifFrames.h"

#include <cstdio>

#include "host/imageio/CGImageSource.h"
#include "host/render/PNGWriter.h"

namespace fs = std::filesystem;

namespace {

// The PNG writer takes cairo's layout: premultiplied ARGB in native-endian 32-bit words.
std::vector<std::uint8_t> argbPixels(const CGImage& image)
{
    std::vector<std::uint8_t> out(image.width() * image.height() * 4);
    auto* words = reinterpret_cast<std::uint32_t*>(out.data());
    for (std::size_t y = 0; y < image.height(); ++y) {
        for (std::size_t x = 0; x < image.width(); ++x) {
            RGBA8 p = image.pixelAt(x, y);
            words[y * image.width() + x]
                = std::uint32_t(p.a) << 24 | std::uint32_t(p.r) << 16 | std::uint32_t(p.g) << 8 | p.b;
        }
    }
    return out;
}

}

std::optional<std::vector<std::string>> writeGifFrames(
    const std::vector<std::uint8_t>& bytes, const fs::path& folder, std::string& error)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        error = "cannot make " + folder.string() + ": " + ec.message();
        return std::nullopt;
    }
    std::vector<std::string> written;
    auto source = CGImageSource::create(bytes);
    std::size_t count = source ? source->count() : 0;
    for (std::size_t i = 0; i < count; ++i) {
        auto image = source->createImageAtIndex(i);
        if (!image) {
            std::fprintf(stderr, "tamarind-sim: warning: frame %zu cannot be decoded; no file written for it\n", i);
            continue;
        }
        char name[32];
        std::snprintf(name, sizeof name, "frame-%03zu.png", i);
        fs::path file = folder / name;
        auto pixels = argbPixels(*image);
        int width = static_cast<int>(image->width());
        if (!writeARGBAsPNG(file.string(), pixels.data(), width, static_cast<int>(image->height()), width * 4, error))
            return std::nullopt;
        written.push_back(file.string());
    }
    return written;
}
