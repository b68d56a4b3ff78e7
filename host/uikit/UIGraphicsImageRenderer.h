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

    double scale() const { return m_scale; }
    bool isOpaque() const { return m_opaque; }

private:
    static void registerMethods(rt::Class*);
    void setScale(double);

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

private:
    static void registerMethods(rt::Class*);
    void initialize(CGRect bounds, rt::Object* format);

    CGRect m_bounds;
    rt::Ref<UIGraphicsImageRendererFormat> m_format;
};

// The context object handed to the drawing block.
class UIGraphicsImageRendererContext final : public rt::Object {
public:
    static rt::Class* classObject();
    // A context drawing into `canvas`, which the caller keeps alive until it detaches it.
    static rt::Ref<UIGraphicsImageRendererContext> create(Canvas*, CGSize, UIGraphicsImageRendererFormat*);

    // Drawing through the context does nothing from now on: its canvas is going away.
    void detachCanvas() { m_canvas = nullptr; }

private:
    static void registerMethods(rt::Class*);

    Canvas* m_canvas { nullptr };
    CGSize m_size {};
    rt::Ref<UIGraphicsImageRendererFormat> m_format;
};
