#include "host/uikit/UIGraphicsImageRenderer.h"

#include <cmath>

#include "host/imageio/ImageRepresentation.h"
#include "host/render/Canvas.h"
#include "host/render/RecordingCanvas.h"
#include "host/runtime/Bind.h"
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

UIGraphicsImageRenderer* renderer(Object* o)
{
    return static_cast<UIGraphicsImageRenderer*>(o);
}
UIGraphicsImageRendererContext* context(Object* o)
{
    return static_cast<UIGraphicsImageRendererContext*>(o);
}

}

void UIGraphicsImageRendererFormat::registerMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("init"), +[](Object* s, SEL) {
            static_cast<UIGraphicsImageRendererFormat*>(s)->m_scale = UIScreen::mainScreen()->scale();
            return s;
        });
    addClassMethod(
        c, sel("defaultFormat"),
        +[](Class*, SEL) -> Object* { return autorelease(UIGraphicsImageRendererFormat::create()); });
    addClassMethod(
        c, sel("preferredFormat"),
        +[](Class*, SEL) -> Object* { return autorelease(UIGraphicsImageRendererFormat::create()); });
    bindGetter<&UIGraphicsImageRendererFormat::m_scale>(c, "scale");
    bind<&UIGraphicsImageRendererFormat::setScale>(c, "setScale:");
    bindProperty<&UIGraphicsImageRendererFormat::m_opaque>(c, "opaque");
}

// A scale that is not a positive number is the main screen's.
void UIGraphicsImageRendererFormat::setScale(double scale)
{
    m_scale = std::isfinite(scale) && scale > 0 ? scale : UIScreen::mainScreen()->scale();
}

void UIGraphicsImageRenderer::registerMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithSize:"), +[](Object* s, SEL, CGSize size) -> Object* {
            renderer(s)->initialize(CGRect { {}, size }, nullptr);
            return s;
        });
    addMethod(
        c, sel("initWithSize:format:"), +[](Object* s, SEL, CGSize size, Object* f) -> Object* {
            renderer(s)->initialize(CGRect { {}, size }, f);
            return s;
        });
    addMethod(
        c, sel("initWithBounds:format:"), +[](Object* s, SEL, CGRect bounds, Object* f) -> Object* {
            renderer(s)->initialize(bounds, f);
            return s;
        });
    bindReadOnlyProperty<&UIGraphicsImageRenderer::m_format>(c, "format");
    addMethod(
        c, sel("imageWithActions:"),
        +[](Object* s, SEL, BlockBase* actions) -> Object* { return autorelease(renderer(s)->image(actions)); });
    addMethod(
        c, sel("PNGDataWithActions:"), +[](Object* s, SEL, BlockBase* actions) -> Object* {
            auto image = renderer(s)->image(actions);
            return UIImagePNGRepresentation(image.get());
        });
}

// Anything but a format object is the default format.
void UIGraphicsImageRenderer::initialize(CGRect bounds, Object* format)
{
    m_bounds = bounds;
    if (auto* f = rt::dynamicCast<UIGraphicsImageRendererFormat>(format, UIGraphicsImageRendererFormat::classObject()))
        m_format = f;
    else
        m_format = UIGraphicsImageRendererFormat::create();
}

void UIGraphicsImageRendererContext::registerMethods(Class* c)
{
    using namespace rt;
    bindReadOnlyProperty<&UIGraphicsImageRendererContext::m_format>(c, "format");
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
            double scale = context(s)->m_format->scale();
            return autorelease(
                UIImage::create(playedBackImage(recording->snapshot(), context(s)->m_size, scale), scale));
        });
}

Class* UIGraphicsImageRendererFormat::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIGraphicsImageRendererFormat>("UIGraphicsImageRendererFormat", rt::rootClass());
        registerMethods(c);
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
        registerMethods(c);
        return c;
    }();
    return cls;
}

Class* UIGraphicsImageRendererContext::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIGraphicsImageRendererContext>("UIGraphicsImageRendererContext", rt::rootClass());
        registerMethods(c);
        return c;
    }();
    return cls;
}

rt::Ref<UIGraphicsImageRenderer> UIGraphicsImageRenderer::create(CGSize size, UIGraphicsImageRendererFormat* f)
{
    auto r = rt::adopt(static_cast<UIGraphicsImageRenderer*>(classObject()->allocate()));
    r->initialize(CGRect { {}, size }, f);
    return r;
}

rt::Ref<UIImage> UIGraphicsImageRenderer::image(Object* actions)
{
    double scale = m_format->scale();
    if (!BitmapCanvas::pixelSize(m_bounds.size, scale))
        return nullptr;
    auto recording = std::make_shared<RecordingCanvas>(scale);
    if (m_format->isOpaque())
        recording->fill(Path::rect(CGRect { {}, m_bounds.size }), { 0, 0, 0, 1 });
    auto ctx = UIGraphicsImageRendererContext::create(recording.get(), m_bounds.size, m_format.get());
    {
        GraphicsCanvasScope scope(recording.get());
        recording->save();
        recording->translate(-m_bounds.minX(), -m_bounds.minY());
        rt::AutoreleasePool pool;
        rt::callBlock<void(Object*)>(actions, ctx.get());
        recording->restore();
    }
    // The context must not outlive its recording if the block kept it.
    ctx->detachCanvas();
    return UIImage::create(playedBackImage(std::move(recording), m_bounds.size, scale), scale);
}

rt::Ref<UIGraphicsImageRendererContext> UIGraphicsImageRendererContext::create(
    Canvas* canvas, CGSize size, UIGraphicsImageRendererFormat* format)
{
    auto ctx = rt::adopt(static_cast<UIGraphicsImageRendererContext*>(classObject()->allocate()));
    ctx->m_canvas = canvas;
    ctx->m_size = size;
    ctx->m_format = format;
    return ctx;
}
