#include <cmath>
#include <functional>
#include <map>

#include "host/render/Canvas.h"
#include "host/uikit/UIImage.h"
#include "host/uikit/UIScreen.h"

// The few SF Symbols that Settings and the library ask for, drawn as plain vector shapes. They
// are templates: drawn in black and shown in the tint colour of the view that holds them.

namespace {

constexpr RGBAColor kInk { 0, 0, 0, 1 };

struct Symbol {
    CGSize size;
    std::function<void(Canvas&, CGSize)> draw;
};

Path polyline(std::initializer_list<CGPoint> points)
{
    Path path;
    bool first = true;
    for (CGPoint p : points) {
        if (first)
            path.moveTo(p);
        else
            path.lineTo(p);
        first = false;
    }
    return path;
}

void drawGear(Canvas& canvas, CGSize s)
{
    double cx = s.width / 2, cy = s.height / 2, outer = s.width * 0.47, body = s.width * 0.36, hole = s.width * 0.15;
    Path gear = Path::ellipse(CGRectMake(cx - body, cy - body, body * 2, body * 2));
    // Eight teeth around the body.
    for (int i = 0; i < 8; ++i) {
        double a = i * M_PI / 4, half = 0.2;
        Path tooth;
        tooth.moveTo({ cx + body * 0.9 * std::cos(a - half), cy + body * 0.9 * std::sin(a - half) });
        tooth.lineTo({ cx + outer * std::cos(a - half * 0.6), cy + outer * std::sin(a - half * 0.6) });
        tooth.lineTo({ cx + outer * std::cos(a + half * 0.6), cy + outer * std::sin(a + half * 0.6) });
        tooth.lineTo({ cx + body * 0.9 * std::cos(a + half), cy + body * 0.9 * std::sin(a + half) });
        tooth.close();
        canvas.fill(tooth, kInk);
    }
    gear.append(Path::ellipse(CGRectMake(cx - hole, cy - hole, hole * 2, hole * 2)));
    canvas.fill(gear, kInk, Canvas::FillRule::EvenOdd);
}

void drawPersonCircle(Canvas& canvas, CGSize s)
{
    double w = s.width;
    Path shape = Path::ellipse(CGRectMake(0, 0, w, w));
    double head = w * 0.17;
    shape.append(Path::ellipse(CGRectMake(w / 2 - head, w * 0.38 - head, head * 2, head * 2)));
    // The shoulders: the lower part of a wide ellipse, cut by the circle's edge.
    Path shoulders;
    shoulders.moveTo({ w * 0.2, w * 0.83 });
    shoulders.curveTo({ w * 0.3, w * 0.62 }, { w * 0.7, w * 0.62 }, { w * 0.8, w * 0.83 });
    shoulders.curveTo({ w * 0.62, w * 0.96 }, { w * 0.38, w * 0.96 }, { w * 0.2, w * 0.83 });
    shoulders.close();
    shape.append(shoulders);
    canvas.fill(shape, kInk, Canvas::FillRule::EvenOdd);
}

void drawMagnifier(Canvas& canvas, CGSize s)
{
    double r = s.width * 0.32;
    canvas.stroke(Path::ellipse(CGRectMake(s.width * 0.1, s.height * 0.1, r * 2, r * 2)), s.width * 0.11, kInk);
    canvas.stroke(
        polyline({ { s.width * 0.62, s.height * 0.62 }, { s.width * 0.9, s.height * 0.9 } }), s.width * 0.13, kInk);
}

const std::map<std::string, Symbol>& symbols()
{
    static const std::map<std::string, Symbol> table = {
        { "chevron.right",
            { { 8, 14 },
                [](Canvas& c, CGSize s) {
                    c.stroke(polyline({ { 1.5, 1.5 }, { s.width - 1.5, s.height / 2 }, { 1.5, s.height - 1.5 } }), 2.2,
                        kInk);
                } } },
        { "chevron.forward",
            { { 8, 14 },
                [](Canvas& c, CGSize s) {
                    c.stroke(polyline({ { 1.5, 1.5 }, { s.width - 1.5, s.height / 2 }, { 1.5, s.height - 1.5 } }), 2.2,
                        kInk);
                } } },
        { "chevron.backward",
            { { 12, 20 },
                [](Canvas& c, CGSize s) {
                    c.stroke(
                        polyline({ { s.width - 2, 2 }, { 2, s.height / 2 }, { s.width - 2, s.height - 2 } }), 3, kInk);
                } } },
        { "checkmark",
            { { 16, 14 },
                [](Canvas& c, CGSize s) {
                    c.stroke(polyline({ { 1.5, s.height * 0.55 }, { s.width * 0.38, s.height - 2 },
                                 { s.width - 1.5, 1.5 } }),
                        2.2, kInk);
                } } },
        { "gear", { { 22, 22 }, drawGear } },
        { "person.circle.fill", { { 22, 22 }, drawPersonCircle } },
        { "person.crop.circle.fill", { { 22, 22 }, drawPersonCircle } },
        { "magnifyingglass", { { 18, 18 }, drawMagnifier } },
        { "plus",
            { { 16, 16 },
                [](Canvas& c, CGSize s) {
                    c.stroke(polyline({ { s.width / 2, 1.5 }, { s.width / 2, s.height - 1.5 } }), 2, kInk);
                    c.stroke(polyline({ { 1.5, s.height / 2 }, { s.width - 1.5, s.height / 2 } }), 2, kInk);
                } } },
        { "xmark",
            { { 14, 14 },
                [](Canvas& c, CGSize s) {
                    c.stroke(polyline({ { 1.5, 1.5 }, { s.width - 1.5, s.height - 1.5 } }), 2, kInk);
                    c.stroke(polyline({ { s.width - 1.5, 1.5 }, { 1.5, s.height - 1.5 } }), 2, kInk);
                } } },
        { "ellipsis",
            { { 20, 6 },
                [](Canvas& c, CGSize s) {
                    for (int i = 0; i < 3; ++i)
                        c.fill(Path::ellipse(CGRectMake(1 + i * 7, 0.5, 5, 5)), kInk);
                    (void)s;
                } } },
    };
    return table;
}

}

rt::Ref<UIImage> UIImage::systemImage(const std::string& name)
{
    // Symbols are immutable once drawn, so each is drawn once and shared.
    // Kept for the life of the process (never torn down at exit, when the runtime may be gone).
    static auto& drawn = *new std::map<std::string, rt::Ref<UIImage>>;
    if (auto found = drawn.find(name); found != drawn.end())
        return found->second;
    auto it = symbols().find(name);
    if (it == symbols().end())
        return nullptr;
    double scale = UIScreen::mainScreen()->scale();
    auto canvas = BitmapCanvas::create(it->second.size, scale);
    if (!canvas)
        return nullptr;
    it->second.draw(*canvas, it->second.size);
    auto image = create(canvas->makeImage(), scale);
    if (image) {
        image->markSymbol(name);
        drawn.emplace(name, image);
    }
    return image;
}

rt::Ref<UIImage> UIImage::blankIcon()
{
    // The home screen's placeholder: a white rounded square with a faint edge.
    static rt::Ref<UIImage>& icon = *new rt::Ref<UIImage>([] {
        double scale = UIScreen::mainScreen()->scale();
        CGSize size { 60, 60 };
        auto canvas = BitmapCanvas::create(size, scale);
        if (!canvas)
            return rt::Ref<UIImage>();
        Path shape = Path::roundedRect(CGRectMake(0, 0, 60, 60), 13.5);
        canvas->fill(shape, { 1, 1, 1, 1 });
        canvas->stroke(Path::roundedRect(CGRectMake(0.5, 0.5, 59, 59), 13), 1, { 0, 0, 0, 0.12 });
        return create(canvas->makeImage(), scale);
    }());
    return icon;
}
