#include "host/render/PNGWriter.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <png.h>

namespace {

struct WriteState {
    std::jmp_buf jump;
    char message[256];
};

void onError(png_structp png, png_const_charp message)
{
    auto* state = static_cast<WriteState*>(png_get_error_ptr(png));
    std::snprintf(state->message, sizeof state->message, "%s", message);
    std::longjmp(state->jump, 1);
}

void onWarning(png_structp, png_const_charp) { }

void unpremultiplyRow(const std::uint8_t* source, std::uint8_t* out, int width)
{
    auto* pixels = reinterpret_cast<const std::uint32_t*>(source);
    for (int x = 0; x < width; ++x) {
        std::uint32_t p = pixels[x];
        unsigned a = p >> 24;
        unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        if (a && a != 255) {
            r = (r * 255 + a / 2) / a;
            g = (g * 255 + a / 2) / a;
            b = (b * 255 + a / 2) / a;
        }
        out[x * 4] = static_cast<std::uint8_t>(r > 255 ? 255 : r);
        out[x * 4 + 1] = static_cast<std::uint8_t>(g > 255 ? 255 : g);
        out[x * 4 + 2] = static_cast<std::uint8_t>(b > 255 ? 255 : b);
        out[x * 4 + 3] = static_cast<std::uint8_t>(a);
    }
}

// Everything between setjmp and a possible longjmp is plain C state, so the jump skips no
// destructor; the row buffer is owned by the caller.
bool writeRows(std::FILE* file, const std::uint8_t* pixels, int width, int height, int stride, std::uint8_t* row,
    WriteState& state)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, onError, onWarning);
    if (!png) {
        std::snprintf(state.message, sizeof state.message, "out of memory");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(state.jump)) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
        PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        unpremultiplyRow(pixels + static_cast<std::size_t>(y) * stride, row, width);
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}

bool writeARGBAsPNG(
    const std::string& path, const std::uint8_t* pixels, int width, int height, int stride, std::string& error)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 4);
    WriteState state {};
    bool ok = writeRows(file, pixels, width, height, stride, row.data(), state);
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        std::snprintf(state.message, sizeof state.message, "%s", std::strerror(errno));
    }
    if (!ok) {
        error = "cannot write " + path + ": " + state.message;
        std::remove(path.c_str());
    }
    return ok;
}
