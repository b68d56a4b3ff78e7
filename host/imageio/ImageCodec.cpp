#include "host/imageio/ImageCodec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <span>

#include <jpeglib.h>
#include <png.h>

#include "host/imageio/CGBitmapContext.h"
#include "host/imageio/CGImageSource.h"
#include "host/imageio/UniformType.h"
#include "host/imageio/CrushedPNG.h"

namespace {

// The largest image decoded, in pixels: 64 megapixels is more than any picture Settings shows,
// and keeps a forged header from asking for gigabytes.
constexpr std::size_t kMaximumPixels = CGBitmapContext::maximumBytes / 4;

void premultiplyRows(std::vector<std::uint8_t>& pixels)
{
    for (std::size_t i = 0; i + 3 < pixels.size(); i += 4) {
        unsigned a = pixels[i + 3];
        if (a == 255)
            continue;
        for (int k = 0; k < 3; ++k)
            pixels[i + k] = static_cast<std::uint8_t>((pixels[i + k] * a + 127) / 255);
    }
}

rt::Ref<CGImage> decodePNG(const std::uint8_t* bytes, std::size_t length, std::string& error)
{
    // A crushed PNG is read as the standard PNG it is rewritten to, its pixels then put in order.
    bool crushed = isCrushedPNG({ bytes, length });
    std::vector<std::uint8_t> uncrushed;
    if (crushed) {
        auto standard = uncrushPNG({ bytes, length }, kMaximumPixels, error);
        if (!standard) {
            error = "PNG (CgBI): " + error;
            return nullptr;
        }
        uncrushed = std::move(*standard);
        bytes = uncrushed.data();
        length = uncrushed.size();
    }
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes, length)) {
        error = std::string("PNG: ") + image.message;
        return nullptr;
    }
    if (std::size_t(image.width) * image.height > kMaximumPixels || !image.width || !image.height) {
        png_image_free(&image);
        error = "PNG: image too large";
        return nullptr;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        error = std::string("PNG: ") + image.message;
        png_image_free(&image);
        return nullptr;
    }
    if (crushed)
        restoreCrushedPixels(pixels);
    else
        premultiplyRows(pixels);
    return CGImage::create(image.width, image.height, std::size_t(image.width) * 4, CGImageAlphaInfo::PremultipliedLast,
        std::move(pixels));
}

struct JPEGError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void jpegErrorExit(j_common_ptr info)
{
    auto* err = reinterpret_cast<JPEGError*>(info->err);
    info->err->format_message(info, err->message);
    std::longjmp(err->jump, 1);
}

void jpegSilence(j_common_ptr, int) { }

// Errors leave through `err`'s jump and warnings are dropped; the caller sets the jump.
void routeJPEGErrors(jpeg_decompress_struct& info, JPEGError& err)
{
    info.err = jpeg_std_error(&err.manager);
    err.manager.error_exit = jpegErrorExit;
    err.manager.emit_message = jpegSilence;
}

// Starts reading the data and its header; a fault jumps back to the caller's setjmp.
void readJPEGHeader(jpeg_decompress_struct& info, const std::uint8_t* bytes, std::size_t length)
{
    jpeg_create_decompress(&info);
    // A progressive file keeps every coefficient of the picture until its last scan; without a
    // bound the library allocates what the header claims, a gigabyte for a file of forty bytes.
    // Beyond the bound it stops with an error (it has no backing store to spill to).
    info.mem->max_memory_to_use = CGBitmapContext::maximumBytes;
    jpeg_mem_src(&info, bytes, static_cast<unsigned long>(length));
    jpeg_read_header(&info, TRUE);
}

// Decodes into `pixels` (RGBA, opaque). Kept free of objects with destructors between the
// setjmp and any longjmp, since the jump skips them.
bool decodeJPEGInto(const std::uint8_t* bytes, std::size_t length, std::vector<std::uint8_t>& pixels, unsigned& width,
    unsigned& height, JPEGError& err)
{
    jpeg_decompress_struct info {};
    routeJPEGErrors(info, err);
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    readJPEGHeader(info, bytes, length);
    // The size is checked before decompression starts, which allocates for the whole picture.
    if (!info.image_width || !info.image_height || std::size_t(info.image_width) * info.image_height > kMaximumPixels) {
        std::snprintf(err.message, sizeof err.message, "image too large");
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_EXT_RGBA;
    jpeg_start_decompress(&info);
    width = info.output_width;
    height = info.output_height;
    pixels.resize(std::size_t(width) * height * 4);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels.data() + std::size_t(info.output_scanline) * width * 4;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

rt::Ref<CGImage> decodeJPEG(const std::uint8_t* bytes, std::size_t length, std::string& error)
{
    std::vector<std::uint8_t> pixels;
    unsigned width = 0, height = 0;
    JPEGError err {};
    if (!decodeJPEGInto(bytes, length, pixels, width, height, err)) {
        error = std::string("JPEG: ") + err.message;
        return nullptr;
    }
    return CGImage::create(width, height, std::size_t(width) * 4, CGImageAlphaInfo::NoneSkipLast, std::move(pixels));
}

// Reads only the header: whether the data starts as a JPEG should and how large it says it is.
bool readJPEGSize(const std::uint8_t* bytes, std::size_t length, unsigned& width, unsigned& height, JPEGError& err)
{
    jpeg_decompress_struct info {};
    routeJPEGErrors(info, err);
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    readJPEGHeader(info, bytes, length);
    width = info.image_width;
    height = info.image_height;
    jpeg_destroy_decompress(&info);
    return true;
}

// The size and layout an image of these bytes will have, read from the header alone; nothing
// when the header is broken, the image too large, or the format is one decoded at once.
struct EncodedGeometry {
    std::size_t width, height;
    CGImageAlphaInfo alphaInfo;
};

std::optional<EncodedGeometry> encodedGeometry(const std::uint8_t* bytes, std::size_t length, std::string& error)
{
    std::string_view type = imageTypeOfData(bytes, length);
    std::size_t width = 0, height = 0;
    CGImageAlphaInfo alphaInfo = CGImageAlphaInfo::PremultipliedLast;
    if (type == kUTTypePNG && !isCrushedPNG({ bytes, length })) {
        png_image image {};
        image.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_memory(&image, bytes, length)) {
            error = std::string("PNG: ") + image.message;
            return std::nullopt;
        }
        width = image.width, height = image.height;
        png_image_free(&image);
    } else if (type == kUTTypeJPEG) {
        unsigned w = 0, h = 0;
        JPEGError err {};
        if (!readJPEGSize(bytes, length, w, h, err)) {
            error = std::string("JPEG: ") + err.message;
            return std::nullopt;
        }
        width = w, height = h, alphaInfo = CGImageAlphaInfo::NoneSkipLast;
    } else {
        return std::nullopt;
    }
    if (!width || !height || width * height > kMaximumPixels) {
        error = "image too large";
        return std::nullopt;
    }
    return EncodedGeometry { width, height, alphaInfo };
}

rt::Ref<CGImage> decodeGIF(const std::uint8_t* bytes, std::size_t length, std::string& error)
{
    auto source = CGImageSource::create(std::span(bytes, length));
    rt::Ref<CGImage> image = source ? source->createImageAtIndex(0) : nullptr;
    if (!image)
        error = "GIF: no decodable frame";
    return image;
}

}

rt::Ref<CGImage> decodeImage(const std::uint8_t* bytes, std::size_t length, std::string& error)
{
    if (!bytes || !length) {
        error = "no image data";
        return nullptr;
    }
    std::string_view type = imageTypeOfData(bytes, length);
    if (type == kUTTypePNG)
        return decodePNG(bytes, length, error);
    if (type == kUTTypeJPEG)
        return decodeJPEG(bytes, length, error);
    if (type == kUTTypeGIF)
        return decodeGIF(bytes, length, error);
    error = "unknown image format";
    return nullptr;
}

rt::Ref<CGImage> imageDecodedOnFirstUse(std::shared_ptr<const std::vector<std::uint8_t>> bytes, std::string& error)
{
    if (!bytes || bytes->empty()) {
        error = "no image data";
        return nullptr;
    }
    auto geometry = encodedGeometry(bytes->data(), bytes->size(), error);
    if (!geometry) {
        if (!error.empty())
            return nullptr;
        return decodeImage(bytes->data(), bytes->size(), error);
    }
    std::size_t width = geometry->width, height = geometry->height;
    return CGImage::createLazily(
        width, height, width * 4, geometry->alphaInfo, [bytes, width, height]() -> CGImage::PixelBuffer {
            std::string ignored;
            auto image = decodeImage(bytes->data(), bytes->size(), ignored);
            // Data whose body turns out broken draws as nothing, as a lazily decoded image must.
            if (!image || image->width() != width || image->height() != height || image->bytesPerRow() != width * 4)
                return {};
            return *image->sharedPixels();
        });
}

std::optional<std::vector<std::uint8_t>> encodePNG(const CGImage& source)
{
    std::vector<std::uint8_t> straight(source.width() * source.height() * 4);
    for (std::size_t y = 0; y < source.height(); ++y)
        for (std::size_t x = 0; x < source.width(); ++x) {
            RGBA8 p = source.pixelAt(x, y);
            std::uint8_t* out = &straight[(y * source.width() + x) * 4];
            auto unpremultiply
                = [&](std::uint8_t c) { return p.a ? std::uint8_t(std::min(255u, (c * 255u + p.a / 2) / p.a)) : 0; };
            out[0] = unpremultiply(p.r);
            out[1] = unpremultiply(p.g);
            out[2] = unpremultiply(p.b);
            out[3] = p.a;
        }
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(source.width());
    image.height = static_cast<png_uint_32>(source.height());
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(image, size, 0, straight.data(), 0, nullptr))
        return std::nullopt;
    std::vector<std::uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, straight.data(), 0, nullptr))
        return std::nullopt;
    out.resize(size);
    return out;
}

namespace {

bool encodeJPEGInto(const CGImage& source, int quality, unsigned char*& buffer, unsigned long& size,
    const std::vector<std::uint8_t>& rgb, JPEGError& err)
{
    jpeg_compress_struct info {};
    info.err = jpeg_std_error(&err.manager);
    err.manager.error_exit = jpegErrorExit;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(source.width());
    info.image_height = static_cast<JDIMENSION>(source.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto row = const_cast<JSAMPROW>(rgb.data() + std::size_t(info.next_scanline) * source.width() * 3);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}

std::optional<std::vector<std::uint8_t>> encodeJPEG(const CGImage& source, double quality)
{
    std::vector<std::uint8_t> rgb(source.width() * source.height() * 3);
    for (std::size_t y = 0; y < source.height(); ++y)
        for (std::size_t x = 0; x < source.width(); ++x) {
            RGBA8 p = source.pixelAt(x, y);
            std::uint8_t* out = &rgb[(y * source.width() + x) * 3];
            // JPEG has no alpha: transparent parts come out black, as on a device.
            out[0] = p.r;
            out[1] = p.g;
            out[2] = p.b;
        }
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    JPEGError err {};
    int q = std::clamp(static_cast<int>(quality * 100 + 0.5), 1, 100);
    bool ok = encodeJPEGInto(source, q, buffer, size, rgb, err);
    std::optional<std::vector<std::uint8_t>> result;
    if (ok)
        result.emplace(buffer, buffer + size);
    std::free(buffer);
    return result;
}
