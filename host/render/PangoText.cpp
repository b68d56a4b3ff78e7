#include "host/render/PangoText.h"

#include <algorithm>
#include <cmath>

#include <pango/pangocairo.h>

namespace {

// The host has no San Francisco; DejaVu Sans stands in for it. DejaVu runs wider than the system
// font at the same size, so sizes are scaled down a little to keep line lengths close to a
// device's.
constexpr const char* kFamily = "DejaVu Sans";
constexpr double kSizeFactor = 0.9;

PangoContext* sharedContext()
{
    static PangoContext* context = [] {
        PangoFontMap* map = pango_cairo_font_map_new();
        PangoContext* c = pango_font_map_create_context(map);
        g_object_unref(map);
        pango_cairo_context_set_resolution(c, 72);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        pango_cairo_context_set_font_options(c, options);
        cairo_font_options_destroy(options);
        return c;
    }();
    return context;
}

PangoFontDescription* describeFont(const TextStyle& style)
{
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family_static(font, kFamily);
    pango_font_description_set_absolute_size(font, std::max(1.0, style.size * kSizeFactor) * PANGO_SCALE);
    pango_font_description_set_weight(font, static_cast<PangoWeight>(std::clamp(style.weight, 100, 1000)));
    return font;
}

PangoAlignment pangoAlignment(TextStyle::Alignment a)
{
    switch (a) {
    case TextStyle::Alignment::Center:
        return PANGO_ALIGN_CENTER;
    case TextStyle::Alignment::Right:
        return PANGO_ALIGN_RIGHT;
    case TextStyle::Alignment::Left:
        break;
    }
    return PANGO_ALIGN_LEFT;
}

}

PangoLayout* createTextLayout(const std::string& text, const TextStyle& style, double width)
{
    PangoLayout* layout = pango_layout_new(sharedContext());
    PangoFontDescription* font = describeFont(style);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    // Texts come from device files and need not be UTF-8; pango takes only valid text.
    gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
    pango_layout_set_text(layout, valid, -1);
    g_free(valid);
    if (width > 0) {
        pango_layout_set_width(layout, static_cast<int>(width * PANGO_SCALE));
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
        // A negative height counts lines: the text ends with an ellipsis after that many.
        pango_layout_set_height(layout, style.maxLines > 0 ? -style.maxLines : -1000);
        pango_layout_set_alignment(layout, pangoAlignment(style.alignment));
    } else if (style.maxLines == 1) {
        pango_layout_set_single_paragraph_mode(layout, true);
    }
    return layout;
}

CGSize measureText(const std::string& text, const TextStyle& style, double maxWidth)
{
    if (text.empty())
        return {};
    PangoLayout* layout = createTextLayout(text, style, maxWidth);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    g_object_unref(layout);
    double width = std::ceil(static_cast<double>(logical.width) / PANGO_SCALE);
    double height = std::ceil(static_cast<double>(logical.height) / PANGO_SCALE);
    if (maxWidth > 0)
        width = std::min(width, std::ceil(maxWidth));
    return { width, height };
}

double textAscent(const TextStyle& style)
{
    PangoLayout* layout = createTextLayout("Ag", style, 0);
    double baseline = static_cast<double>(pango_layout_get_baseline(layout)) / PANGO_SCALE;
    g_object_unref(layout);
    return baseline;
}
