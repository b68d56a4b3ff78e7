#pragma once

#include "host/foundation/Geometry.h"
#include "host/runtime/Runtime.h"

class Canvas;
class UIImage;

// UIGraphicsImageRendererFormat: the scale (the main screen's unless set) and opacity of the
// images a renderer makes.
class UIGraphicsImageRendererFormat final : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<UIGraphicsImageRendererFormat> create();

    double m_scale { 1 };
    bool m_opaque { false };
};

// UIGraphicsImageRenderer: makes an image by running a drawing block with a fresh transparent
// bitmap of its size as the current destination. UIKit drawing inside the block (images,
// bezier paths, their clips) lands in that bitmap. As on the platform, the drawing is recorded
// when the block runs and the bitmap is made when the image's pixels are first used, so an
// image that is never shown costs no pixels, and nor do the images drawn into it.
class UIGraphicsImageRenderer final : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<UIGraphicsImageRenderer> create(CGSize, UIGraphicsImageRendererFormat* = nullptr);

    // Runs the drawing (a block taking the renderer context) and returns the image, or null when
    // the size is empty or too large.
    rt::Ref<UIImage> image(rt::Object* actions);

    CGRect m_bounds;
    rt::Ref<UIGraphicsImageRendererFormat> m_format;
};

// The context object handed to the drawing block.
class UIGraphicsImageRendererContext final : public rt::Object {
public:
    static rt::Class* classObject();

    Canvas* m_canvas { nullptr };
    CGSize m_size {};
    rt::Ref<UIGraphicsImageRendererFormat> m_format;
};
