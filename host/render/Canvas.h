#pragma once

#include <memory>
#include <optional>
#include <string>

#include "host/foundation/Geometry.h"
#include "host/render/Color.h"
#include "host/render/Path.h"
#include "host/render/TextStyle.h"
#include "host/runtime/Object.h"

class CGImage;

// What views draw on. Coordinates are points with the origin at the top left, y growing downwards,
// as in UIKit; the canvas maps them to device pixels at its scale. The cairo canvas is the one
// implementation today; views and the window renderer only ever see this interface.
class Canvas {
public:
    virtual ~Canvas() = default;

    // Device pixels per point.
    virtual double scale() const = 0;

    // Saves and restores the transform, the clip and the layer stack together.
    virtual void save() = 0;
    virtual void restore() = 0;
    virtual void translate(double dx, double dy) = 0;
    virtual void clip(const Path&) = 0;
    // Whether `rect` (in current coordinates) can show anything through the current clip.
    virtual bool intersectsClip(const CGRect&) const = 0;

    enum class FillRule { NonZero, EvenOdd };
    virtual void fill(const Path&, RGBAColor, FillRule = FillRule::NonZero) = 0;
    virtual void stroke(const Path&, double width, RGBAColor) = 0;

    // Draws the whole image scaled into `destination`. With a tint, the image's alpha is used as
    // a mask for the tint colour (template rendering).
    virtual void drawImage(const CGImage&, const CGRect& destination, double alpha, const RGBAColor* tint) = 0;

    // Lays the text out in `box` (wrapping and truncating as the style says) and draws it.
    virtual void drawText(const std::string&, const TextStyle&, const CGRect& box) = 0;

    // Replaces what the bitmap shows inside `rect` (in current coordinates, within the clip) by a
    // blurred copy of it, as a backdrop view shows what lies behind it. The blur reads the bitmap
    // as composited so far, so content of a group still open is not part of it.
    virtual void blurBehind(const CGRect& rect, double radius) = 0;

    // Everything drawn until endGroup is composited at once with the given opacity, as a layer
    // with an alpha below one is.
    virtual void beginGroup() = 0;
    virtual void endGroup(double alpha) = 0;
};

// A canvas over a bitmap of width x height points at `scale`, cleared to transparent. The pixels
// come back as premultiplied RGBA rows.
class BitmapCanvas : public Canvas {
public:
    static std::unique_ptr<BitmapCanvas> create(CGSize pointSize, double scale);
    // The bitmap's size in pixels that create() would make, or nothing when it would refuse.
    struct PixelSize {
        int width, height;
    };
    static std::optional<PixelSize> pixelSize(CGSize pointSize, double scale);

    virtual int pixelWidth() const = 0;
    virtual int pixelHeight() const = 0;
    // The bitmap as an image (premultiplied RGBA, top row first).
    virtual rt::Ref<CGImage> makeImage() const = 0;
    // Writes the bitmap as a PNG file. Returns false and sets `error` on failure.
    virtual bool writePNG(const std::string& path, std::string& error) const = 0;
};
