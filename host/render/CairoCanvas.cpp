#include <algorithm>
#include <cmath>
#include <cstring>

#include <cairo.h>
#include <pango/pangocairo.h>

#include "host/imageio/CGImage.h"
#include "host/render/BoxBlur.h"
#include "host/render/Canvas.h"
#include "host/render/PNGWriter.h"
#include "host/render/PangoText.h"
#include "host/runtime/Runtime.h"

namespace {

// A cairo surface made from a CGImage, kept on the image as an associated object so that an
// image drawn many times (icons, chevrons) is converted once and freed with the image.
class SurfaceHolder final : public rt::Object {
public:
    static rt::Class* classObject()
    {
        static rt::Class* cls = rt::defineCppClass<SurfaceHolder>("_TAMCairoSurfaceHolder", rt::rootClass());
        return cls;
    }
    ~SurfaceHolder() override
    {
        if (m_surface)
            cairo_surface_destroy(m_surface);
    }
    cairo_surface_t* m_surface { nullptr };
};

const char kSurfaceKey = 0;

cairo_surface_t* surfaceForImage(const CGImage& image)
{
    auto* owner = const_cast<CGImage*>(&image);
    if (auto* held = static_cast<SurfaceHolder*>(rt::getAssociatedObject(owner, &kSurfaceKey)))
        return held->m_surface;
    int w = static_cast<int>(image.width()), h = static_cast<int>(image.height());
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    const std::uint8_t* source = image.data();
    bool premultipliedRGBA = image.alphaInfo() == CGImageAlphaInfo::PremultipliedLast;
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        // The images decoders and renderers make are premultiplied RGBA already: only the byte
        // order changes. Other layouts go through the general pixel reader.
        if (premultipliedRGBA) {
            const std::uint8_t* p = source + static_cast<size_t>(y) * image.bytesPerRow();
            for (int x = 0; x < w; ++x, p += 4)
                row[x] = (uint32_t(p[3]) << 24) | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
            continue;
        }
        for (int x = 0; x < w; ++x) {
            RGBA8 p = image.pixelAt(x, y);
            row[x] = (uint32_t(p.a) << 24) | (uint32_t(p.r) << 16) | (uint32_t(p.g) << 8) | p.b;
        }
    }
    cairo_surface_mark_dirty(surface);
    auto holder = rt::createObject<SurfaceHolder>(SurfaceHolder::classObject());
    holder->m_surface = surface;
    rt::setAssociatedObject(owner, &kSurfaceKey, holder.get());
    return surface;
}

void setSource(cairo_t* cr, RGBAColor c)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

void appendPath(cairo_t* cr, const Path& path)
{
    cairo_new_path(cr);
    for (auto& e : path.elements()) {
        switch (e.op) {
        case Path::Op::MoveTo:
            cairo_move_to(cr, e.points[0].x, e.points[0].y);
            break;
        case Path::Op::LineTo:
            cairo_line_to(cr, e.points[0].x, e.points[0].y);
            break;
        case Path::Op::CurveTo:
            cairo_curve_to(
                cr, e.points[0].x, e.points[0].y, e.points[1].x, e.points[1].y, e.points[2].x, e.points[2].y);
            break;
        case Path::Op::Close:
            cairo_close_path(cr);
            break;
        }
    }
}

class CairoCanvas final : public BitmapCanvas {
public:
    CairoCanvas(int width, int height, double scale)
        : m_scale(scale)
    {
        m_surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
        m_cr = cairo_create(m_surface);
        cairo_scale(m_cr, scale, scale);
    }
    ~CairoCanvas() override
    {
        cairo_destroy(m_cr);
        cairo_surface_destroy(m_surface);
    }
    bool isValid() const { return cairo_status(m_cr) == CAIRO_STATUS_SUCCESS; }

    double scale() const override { return m_scale; }
    void save() override { cairo_save(m_cr); }
    void restore() override { cairo_restore(m_cr); }
    void translate(double dx, double dy) override { cairo_translate(m_cr, dx, dy); }
    void clip(const Path& path) override
    {
        appendPath(m_cr, path);
        cairo_clip(m_cr);
    }
    bool intersectsClip(const CGRect& r) const override
    {
        double x1, y1, x2, y2;
        cairo_clip_extents(m_cr, &x1, &y1, &x2, &y2);
        return r.maxX() > x1 && r.minX() < x2 && r.maxY() > y1 && r.minY() < y2;
    }
    void fill(const Path& path, RGBAColor color, FillRule rule) override
    {
        if (!color.isVisible() || path.isEmpty())
            return;
        appendPath(m_cr, path);
        setSource(m_cr, color);
        cairo_set_fill_rule(m_cr, rule == FillRule::EvenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
        cairo_fill(m_cr);
    }
    void stroke(const Path& path, double width, RGBAColor color) override
    {
        if (!color.isVisible() || width <= 0 || path.isEmpty())
            return;
        appendPath(m_cr, path);
        setSource(m_cr, color);
        cairo_set_line_width(m_cr, width);
        cairo_set_line_cap(m_cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(m_cr);
    }
    void drawImage(const CGImage&, const CGRect&, double alpha, const RGBAColor* tint) override;
    void drawText(const std::string&, const TextStyle&, const CGRect&) override;
    void blurBehind(const CGRect&, double radius) override;
    void beginGroup() override { cairo_push_group(m_cr); }
    void endGroup(double alpha) override
    {
        cairo_pop_group_to_source(m_cr);
        cairo_paint_with_alpha(m_cr, std::clamp(alpha, 0.0, 1.0));
    }

    int pixelWidth() const override { return cairo_image_surface_get_width(m_surface); }
    int pixelHeight() const override { return cairo_image_surface_get_height(m_surface); }
    rt::Ref<CGImage> makeImage() const override;
    bool writePNG(const std::string& path, std::string& error) const override
    {
        cairo_surface_flush(m_surface);
        return writeARGBAsPNG(path, cairo_image_surface_get_data(m_surface), pixelWidth(), pixelHeight(),
            cairo_image_surface_get_stride(m_surface), error);
    }

private:
    double m_scale;
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
};

void CairoCanvas::drawImage(const CGImage& image, const CGRect& dest, double alpha, const RGBAColor* tint)
{
    if (dest.width() <= 0 || dest.height() <= 0 || alpha <= 0 || !std::isfinite(dest.width() + dest.height()))
        return;
    cairo_surface_t* surface = surfaceForImage(image);
    cairo_save(m_cr);
    cairo_translate(m_cr, dest.minX(), dest.minY());
    cairo_scale(m_cr, dest.width() / image.width(), dest.height() / image.height());
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_rectangle(m_cr, 0, 0, image.width(), image.height());
    cairo_clip(m_cr);
    if (tint) {
        setSource(m_cr, tint->withAlpha(tint->a * alpha));
        cairo_mask(m_cr, pattern);
    } else {
        cairo_set_source(m_cr, pattern);
        cairo_paint_with_alpha(m_cr, std::min(alpha, 1.0));
    }
    cairo_pattern_destroy(pattern);
    cairo_restore(m_cr);
}

void CairoCanvas::blurBehind(const CGRect& rect, double radius)
{
    if (!(radius > 0) || !std::isfinite(rect.minX() + rect.minY() + rect.width() + rect.height() + radius))
        return;
    // The rectangle in device pixels, limited to the bitmap.
    double xs[4] = { rect.minX(), rect.maxX(), rect.minX(), rect.maxX() };
    double ys[4] = { rect.minY(), rect.minY(), rect.maxY(), rect.maxY() };
    double x1 = 1e9, y1 = 1e9, x2 = -1e9, y2 = -1e9;
    for (int i = 0; i < 4; ++i) {
        cairo_user_to_device(m_cr, &xs[i], &ys[i]);
        x1 = std::min(x1, xs[i]), y1 = std::min(y1, ys[i]), x2 = std::max(x2, xs[i]), y2 = std::max(y2, ys[i]);
    }
    // Clamped before conversion, so a rectangle far off the bitmap cannot overflow an int.
    auto column = [&](double x) { return static_cast<int>(std::clamp(x, 0.0, double(pixelWidth()))); };
    auto row = [&](double y) { return static_cast<int>(std::clamp(y, 0.0, double(pixelHeight()))); };
    int left = column(std::floor(x1)), top = row(std::floor(y1));
    int right = column(std::ceil(x2)), bottom = row(std::ceil(y2));
    int pixels = static_cast<int>(std::lround(std::clamp(radius, 0.0, 200.0) * m_scale));
    if (right <= left || bottom <= top || pixels <= 0)
        return;
    cairo_surface_flush(m_surface);
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, right - left, bottom - top);
    cairo_surface_flush(copy);
    int sourceStride = cairo_image_surface_get_stride(m_surface), copyStride = cairo_image_surface_get_stride(copy);
    const unsigned char* source = cairo_image_surface_get_data(m_surface);
    unsigned char* target = cairo_image_surface_get_data(copy);
    for (int y = top; y < bottom; ++y)
        std::memcpy(target + static_cast<size_t>(y - top) * copyStride,
            source + static_cast<size_t>(y) * sourceStride + static_cast<size_t>(left) * 4,
            static_cast<size_t>(right - left) * 4);
    boxBlur(reinterpret_cast<uint32_t*>(target), right - left, bottom - top, copyStride / 4, pixels);
    cairo_surface_mark_dirty(copy);
    // Painted in device space, through the current clip and the rectangle itself.
    cairo_save(m_cr);
    cairo_identity_matrix(m_cr);
    cairo_rectangle(m_cr, left, top, right - left, bottom - top);
    cairo_clip(m_cr);
    cairo_set_source_surface(m_cr, copy, left, top);
    cairo_paint(m_cr);
    cairo_restore(m_cr);
    cairo_surface_destroy(copy);
}

void CairoCanvas::drawText(const std::string& text, const TextStyle& style, const CGRect& box)
{
    if (text.empty() || !style.color.isVisible())
        return;
    PangoLayout* layout = createTextLayout(text, style, box.width());
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    double height = static_cast<double>(logical.height) / PANGO_SCALE;
    // A label centres its text vertically in its bounds.
    double y = box.minY() + (box.height() - height) / 2;
    cairo_save(m_cr);
    setSource(m_cr, style.color);
    cairo_move_to(m_cr, box.minX(), y);
    pango_cairo_show_layout(m_cr, layout);
    cairo_restore(m_cr);
    g_object_unref(layout);
}

rt::Ref<CGImage> CairoCanvas::makeImage() const
{
    cairo_surface_flush(m_surface);
    int w = pixelWidth(), h = pixelHeight();
    int stride = cairo_image_surface_get_stride(m_surface);
    const unsigned char* data = cairo_image_surface_get_data(m_surface);
    std::vector<std::uint8_t> pixels(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < w; ++x) {
            uint32_t p = row[x];
            uint8_t* out = &pixels[(static_cast<size_t>(y) * w + x) * 4];
            out[0] = (p >> 16) & 0xFF;
            out[1] = (p >> 8) & 0xFF;
            out[2] = p & 0xFF;
            out[3] = p >> 24;
        }
    }
    return CGImage::create(w, h, static_cast<size_t>(w) * 4, CGImageAlphaInfo::PremultipliedLast, std::move(pixels));
}

}

std::optional<BitmapCanvas::PixelSize> BitmapCanvas::pixelSize(CGSize size, double scale)
{
    if (!(scale > 0) || !(size.width > 0) || !(size.height > 0))
        return std::nullopt;
    double w = std::ceil(size.width * scale), h = std::ceil(size.height * scale);
    // Refuse bitmaps that cairo cannot hold or that would not fit in memory sensibly.
    if (w > 32767 || h > 32767 || w * h * 4 > double(1 << 30))
        return std::nullopt;
    return PixelSize { static_cast<int>(w), static_cast<int>(h) };
}

std::unique_ptr<BitmapCanvas> BitmapCanvas::create(CGSize size, double scale)
{
    auto pixels = pixelSize(size, scale);
    if (!pixels)
        return nullptr;
    auto canvas = std::make_unique<CairoCanvas>(pixels->width, pixels->height, scale);
    if (!canvas->isValid())
        return nullptr;
    return canvas;
}
