#include "host/uikit/UIGraphicsImageRenderer.h"

#include <cmath>

#include "host/imageio/ImageRepresentation.h"
#include "host/render/Canvas.h"
#include "host/render/RecordingCanvas.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIGraphics.h"
#include "host/uikit/UIImage.h"
#include "host/uikit/UIScreen.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

// An image whose pixels are the recording played back onto a fresh bitmap, made when first read.
rt::Ref<CGImage> playedBackImage(std::shared_ptr<const RecordingCanvas> recording, CGSize size, double scale)
{
    auto pixels = BitmapCanvas::pixelSize(size, scale);
    if (!pixels)
        return nullptr;
    std::size_t width = std::size_t(pixels->width), height = std::size_t(pixels->height);
    return CGImage::createLazily(width, height, width * 4, CGImageAlphaInfo::PremultipliedLast,
        [recording = std::move(recording), size, scale]() -> CGImage::PixelBuffer {
            auto canvas = BitmapCanvas::create(size, scale);
            if (!canvas)
                return {};
            recording->replay(*canvas);
            auto image = canvas->makeImage();
            return image ? *image->sharedPixels() : CGImage::PixelBuffer {};
        });
}

UIGraphicsImageRendererFormat* format(Object* o)
{
    return static_cast<UIGraphicsImageRendererFormat*>(o);
}
UIGraphicsImageRenderer* renderer(Object* o)
{
    return static_cast<UIGraphicsImageRenderer*>(o);
}
UIGraphicsImageRendererContext* context(Object* o)
{
    return static_cast<UIGraphicsImageRendererContext*>(o);
}

Object* initRenderer(Object* s, CGRect bounds, Object* givenFormat)
{
    auto* r = renderer(s);
    r->m_bounds = bounds;
    if (auto* f
        = rt::dynamicCast<UIGraphicsImageRendererFormat>(givenFormat, UIGraphicsImageRendererFormat::classObject()))
        r->m_format = f;
    else
        r->m_format = UIGraphicsImageRendererFormat::create();
    return s;
}

void registerFormat(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("init"), +[](Object* s, SEL) {
            format(s)->m_scale = UIScreen::mainScreen()->scale();
            return s;
        });
    addClassMethod(
        c, sel("defaultFormat"),
        +[](Class*, SEL) -> Object* { return autorelease(UIGraphicsImageRendererFormat::create()); });
    addClassMethod(
        c, sel("preferredFormat"),
        +[](Class*, SEL) -> Object* { return autorelease(UIGraphicsImageRendererFormat::create()); });
    addMethod(
        c, sel("scale"), +[](Object* s, SEL) { return format(s)->m_scale; });
    addMethod(
        c, sel("setScale:"), +[](Object* s, SEL, double v) {
            format(s)->m_scale = std::isfinite(v) && v > 0 ? v : UIScreen::mainScreen()->scale();
        });
    addMethod(
        c, sel("opaque"), +[](Object* s, SEL) { return format(s)->m_opaque; });
    addMethod(
        c, sel("setOpaque:"), +[](Object* s, SEL, bool v) { format(s)->m_opaque = v; });
}

void registerRenderer(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithSize:"), +[](Object* s, SEL, CGSize size) {
            return initRenderer(s, CGRect { {}, size }, nullptr);
        });
    addMethod(
        c, sel("initWithSize:format:"), +[](Object* s, SEL, CGSize size, Object* f) {
            return initRenderer(s, CGRect { {}, size }, f);
        });
    addMethod(
        c, sel("initWithBounds:format:"),
        +[](Object* s, SEL, CGRect bounds, Object* f) { return initRenderer(s, bounds, f); });
    addMethod(
        c, sel("format"), +[](Object* s, SEL) -> Object* { return renderer(s)->m_format.get(); });
    addMethod(
        c, sel("imageWithActions:"),
        +[](Object* s, SEL, BlockBase* actions) -> Object* { return autorelease(renderer(s)->image(actions)); });
    addMethod(
        c, sel("PNGDataWithActions:"), +[](Object* s, SEL, BlockBase* actions) -> Object* {
            auto image = renderer(s)->image(actions);
            return UIImagePNGRepresentation(image.get());
        });
}

void registerContext(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("format"), +[](Object* s, SEL) -> Object* { return context(s)->m_format.get(); });
    addMethod(
        c, sel("fillRect:"), +[](Object* s, SEL, CGRect r) {
            if (context(s)->m_canvas)
                context(s)->m_canvas->fill(Path::rect(r), currentFillColor());
        });
    addMethod(
        c, sel("strokeRect:"), +[](Object* s, SEL, CGRect r) {
            if (context(s)->m_canvas)
                context(s)->m_canvas->stroke(Path::rect(r), 1, currentStrokeColor());
        });
    addMethod(
        c, sel("clipToRect:"), +[](Object* s, SEL, CGRect r) {
            if (context(s)->m_canvas)
                context(s)->m_canvas->clip(Path::rect(r));
        });
    addMethod(
        c, sel("currentImage"), +[](Object* s, SEL) -> Object* {
            auto* recording = dynamic_cast<RecordingCanvas*>(context(s)->m_canvas);
            if (!recording)
                return nullptr;
            double scale = context(s)->m_format->m_scale;
            return autorelease(
                UIImage::create(playedBackImage(recording->snapshot(), context(s)->m_size, scale), scale));
        });
}

}

Class* UIGraphicsImageRendererFormat::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIGraphicsImageRendererFormat>("UIGraphicsImageRendererFormat", rt::rootClass());
        registerFormat(c);
        return c;
    }();
    return cls;
}

rt::Ref<UIGraphicsImageRendererFormat> UIGraphicsImageRendererFormat::create()
{
    return rt::Ref<UIGraphicsImageRendererFormat>(
        static_cast<UIGraphicsImageRendererFormat*>(rt::newObject(classObject()).get()));
}

Class* UIGraphicsImageRenderer::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIGraphicsImageRenderer>("UIGraphicsImageRenderer", rt::rootClass());
        registerRenderer(c);
        return c;
    }();
    return cls;
}

Class* UIGraphicsImageRendererContext::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIGraphicsImageRendererContext>("UIGraphicsImageRendererContext", rt::rootClass());
        registerContext(c);
        return c;
    }();
    return cls;
}

rt::Ref<UIGraphicsImageRenderer> UIGraphicsImageRenderer::create(CGSize size, UIGraphicsImageRendererFormat* f)
{
    auto r = rt::adopt(static_cast<UIGraphicsImageRenderer*>(classObject()->allocate()));
    initRenderer(r.get(), CGRect { {}, size }, f);
    return r;
}

rt::Ref<UIImage> UIGraphicsImageRenderer::image(Object* actions)
{
    double scale = m_format->m_scale;
    if (!BitmapCanvas::pixelSize(m_bounds.size, scale))
        return nullptr;
    auto recording = std::make_shared<RecordingCanvas>(scale);
    if (m_format->m_opaque)
        recording->fill(Path::rect(CGRect { {}, m_bounds.size }), { 0, 0, 0, 1 });
    auto ctx = rt::adopt(
        static_cast<UIGraphicsImageRendererContext*>(UIGraphicsImageRendererContext::classObject()->allocate()));
    ctx->m_canvas = recording.get();
    ctx->m_size = m_bounds.size;
    ctx->m_format = m_format;
    {
        GraphicsCanvasScope scope(recording.get());
        recording->save();
        recording->translate(-m_bounds.minX(), -m_bounds.minY());
        rt::AutoreleasePool pool;
        rt::callBlock<void(Object*)>(actions, ctx.get());
        recording->restore();
    }
    // The context must not outlive its recording if the block kept it.
    ctx->m_canvas = nullptr;
    return UIImage::create(playedBackImage(std::move(recording), m_bounds.size, scale), scale);
}
