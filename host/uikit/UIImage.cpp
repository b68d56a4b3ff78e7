#include "host/uikit/UIImage.h"

#include <cmath>

#include "host/foundation/Bundle.h"
#include "host/foundation/Data.h"
#include "host/foundation/FileManager.h"
#include "host/foundation/LSApplicationWorkspace.h"
#include "host/foundation/String.h"
#include "host/render/Canvas.h"
#include "host/runtime/Bind.h"
#include "host/imageio/ImageCodec.h"
#include "host/platform/InputFile.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIGraphics.h"
#include "host/uikit/UIScreen.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UIImage* image(Object* o)
{
    return static_cast<UIImage*>(o);
}

double scaleFromFileName(const std::filesystem::path& path)
{
    std::string stem = path.stem().string();
    for (int n = 2; n <= 3; ++n)
        if (stem.ends_with("@" + std::to_string(n) + "x"))
            return n;
    return 1;
}

double validScale(double scale)
{
    return std::isfinite(scale) && scale > 0 ? scale : 1;
}

Object* fromData(Object* data, double scale)
{
    if (!isData(data))
        return nullptr;
    auto* d = static_cast<NSData*>(data);
    return rt::autorelease(UIImage::createWithData(d->bytes(), d->length(), scale));
}

// A device file read as any file of the device is: within the device, a regular file of bounded
// size, so a pipe or an endless file named like a picture is refused rather than read.
rt::Ref<UIImage> fromDeviceFile(const std::string& devicePath)
{
    auto bytes = NSFileManager::defaultManager()->contents(devicePath);
    if (!bytes)
        return nullptr;
    return UIImage::createWithEncodedBytes(
        std::make_shared<const std::vector<std::uint8_t>>(std::move(*bytes)), scaleFromFileName(devicePath));
}

Object* fromDevicePath(Object* path)
{
    return rt::autorelease(fromDeviceFile(toStdString(path)));
}

// +imageNamed:inBundle:compatibleWithTraitCollection: looks for the name with the screen's scale
// suffix first, then the other scales, then the plain name; "png" when the name has no type.
Object* namedInBundle(Object* name, Object* bundleObject)
{
    auto* bundle = rt::dynamicCast<NSBundle>(bundleObject, NSBundle::classObject());
    std::string file = toStdString(name);
    if (!bundle || file.empty())
        return nullptr;
    std::filesystem::path given(file);
    std::string type = given.has_extension() ? given.extension().string().substr(1) : "png";
    std::string base = given.has_extension() ? (given.parent_path() / given.stem()).string() : file;
    int screen = static_cast<int>(UIScreen::mainScreen()->scale());
    std::vector<std::string> candidates { base + "@" + std::to_string(screen) + "x" };
    for (int n : { 3, 2 })
        if (n != screen)
            candidates.push_back(base + "@" + std::to_string(n) + "x");
    candidates.push_back(base);
    for (auto& candidate : candidates) {
        std::string path = bundle->pathForResource(candidate, type);
        if (path.empty())
            continue;
        if (auto image = fromDeviceFile(path))
            return rt::autorelease(std::move(image));
    }
    return nullptr;
}

void drawImage(UIImage* self, CGRect rect, double alpha)
{
    Canvas* canvas = currentGraphicsCanvas();
    if (!canvas || !self->cgImage())
        return;
    RGBAColor tint;
    if (self->tintColor())
        tint = self->tintColor()->resolvedForCurrentTraits();
    canvas->drawImage(*self->cgImage(), rect, alpha, self->tintColor() ? &tint : nullptr);
}

void registerUIImageFactories(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("imageNamed:inBundle:compatibleWithTraitCollection:"),
        +[](Class*, SEL, Object* name, Object* bundle, Object*) { return namedInBundle(name, bundle); });
    addClassMethod(
        c, sel("imageNamed:inBundle:withConfiguration:"),
        +[](Class*, SEL, Object* name, Object* bundle, Object*) { return namedInBundle(name, bundle); });
    // The simulated Settings app has no asset catalogue of its own.
    addClassMethod(
        c, sel("imageNamed:"), +[](Class*, SEL, Object*) -> Object* { return nullptr; });
    addClassMethod(
        c, sel("imageWithContentsOfFile:"), +[](Class*, SEL, Object* path) { return fromDevicePath(path); });
    addClassMethod(
        c, sel("imageWithData:"), +[](Class*, SEL, Object* data) { return fromData(data, 1); });
    addClassMethod(
        c, sel("imageWithData:scale:"), +[](Class*, SEL, Object* data, double scale) { return fromData(data, scale); });
    addClassMethod(
        c, sel("imageWithCGImage:"), +[](Class*, SEL, Object* cg) -> Object* {
            auto* img = dynamicCast<CGImage>(cg, CGImage::runtimeClass());
            return img ? autorelease(UIImage::create(img)) : nullptr;
        });
    addClassMethod(
        c, sel("imageWithCGImage:scale:orientation:"),
        +[](Class*, SEL, Object* cg, double scale, long orientation) -> Object* {
            auto* img = dynamicCast<CGImage>(cg, CGImage::runtimeClass());
            if (!img)
                return nullptr;
            auto created = UIImage::create(img, validScale(scale));
            created->setOrientation(orientation);
            return autorelease(std::move(created));
        });
    addClassMethod(
        c, sel("systemImageNamed:"),
        +[](Class*, SEL, Object* name) -> Object* { return autorelease(UIImage::systemImage(toStdString(name))); });
    addClassMethod(
        c, sel("blankIcon"), +[](Class*, SEL) -> Object* { return UIImage::blankIcon().get(); });
    // The home-screen icon of an installed app, read from the icon file the registry names; an app
    // without one, or that is not installed, shows the blank icon, as the home screen does. The
    // icon files are drawn at the size the format asks, so the format and scale change nothing here.
    addClassMethod(
        c, sel("_applicationIconImageForBundleIdentifier:format:scale:"),
        +[](Class*, SEL, Object* bundleID, int, double) -> Object* {
            std::string path = isString(bundleID) ? applicationIconPath(toStdString(bundleID)) : std::string();
            Object* icon = path.empty() ? nullptr : fromDevicePath(ns(path));
            return icon ? icon : UIImage::blankIcon().get();
        });
    addMethod(
        c, sel("initWithContentsOfFile:"), +[](Object* s, SEL, Object* path) -> Object* {
            Object* loaded = fromDevicePath(path);
            s->release();
            if (loaded)
                loaded->retain();
            return loaded;
        });
    addMethod(
        c, sel("initWithData:"), +[](Object* s, SEL, Object* data) -> Object* {
            Object* loaded = fromData(data, 1);
            s->release();
            if (loaded)
                loaded->retain();
            return loaded;
        });
}

void registerUIImageMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("CGImage"), +[](Object* s, SEL) -> Object* { return image(s)->cgImage(); });
    bind<&UIImage::size>(c, "size");
    bind<&UIImage::scale>(c, "scale");
    bind<&UIImage::renderingMode>(c, "renderingMode");
    bind<&UIImage::orientation>(c, "imageOrientation");
    bind<&UIImage::isSymbol>(c, "isSymbolImage");
    addMethod(
        c, sel("imageWithRenderingMode:"),
        +[](Object* s, SEL, long mode) -> Object* {
            return autorelease(image(s)->copyWith(mode >= 0 && mode <= 2 ? mode : 0, nullptr));
        });
    addMethod(
        c, sel("imageWithTintColor:"), +[](Object* s, SEL, Object* tint) -> Object* {
            return autorelease(image(s)->copyWith(
                UIImageRenderingModeAlwaysOriginal, isColor(tint) ? static_cast<UIColor*>(tint) : nullptr));
        });
    addMethod(
        c, sel("imageWithTintColor:renderingMode:"), +[](Object* s, SEL, Object* tint, long mode) -> Object* {
            return autorelease(image(s)->copyWith(
                mode >= 0 && mode <= 2 ? mode : 0, isColor(tint) ? static_cast<UIColor*>(tint) : nullptr));
        });
    addMethod(
        c, sel("drawInRect:"), +[](Object* s, SEL, CGRect r) { drawImage(image(s), r, 1); });
    addMethod(
        c, sel("drawInRect:blendMode:alpha:"),
        +[](Object* s, SEL, CGRect r, int, double alpha) { drawImage(image(s), r, alpha); });
    addMethod(
        c, sel("drawAtPoint:"), +[](Object* s, SEL, CGPoint p) {
            drawImage(image(s), CGRect { p, image(s)->size() }, 1);
        });
    addMethod(
        c, sel("images"), +[](Object*, SEL) -> Object* { return nullptr; });
    addMethod(
        c, sel("duration"), +[](Object*, SEL) { return 0.0; });
}

}

Class* UIImage::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIImage>("UIImage", rt::rootClass());
        registerUIImageFactories(c);
        registerUIImageMethods(c);
        return c;
    }();
    return cls;
}

rt::Ref<UIImage> UIImage::create(rt::Ref<CGImage> cg, double scale, long renderingMode)
{
    if (!cg)
        return nullptr;
    auto img = rt::adopt(static_cast<UIImage*>(classObject()->allocate()));
    img->m_image = std::move(cg);
    img->m_scale = validScale(scale);
    img->m_renderingMode = renderingMode;
    return img;
}

rt::Ref<UIImage> UIImage::createWithContentsOfFile(const std::filesystem::path& path)
{
    std::string error;
    auto bytes = readInputFile(path, NSFileManager::kMaximumFileBytes, error);
    if (!bytes)
        return nullptr;
    return createWithEncodedBytes(
        std::make_shared<const std::vector<std::uint8_t>>(std::move(*bytes)), scaleFromFileName(path));
}

rt::Ref<UIImage> UIImage::createWithData(const std::uint8_t* bytes, std::size_t length, double scale)
{
    if (!bytes)
        return nullptr;
    return createWithEncodedBytes(std::make_shared<std::vector<std::uint8_t>>(bytes, bytes + length), scale);
}

rt::Ref<UIImage> UIImage::createWithEncodedBytes(std::shared_ptr<const std::vector<std::uint8_t>> bytes, double scale)
{
    std::string error;
    auto cg = imageDecodedOnFirstUse(std::move(bytes), error);
    return cg ? create(std::move(cg), scale) : nullptr;
}

void UIImage::markSymbol(std::string name)
{
    m_isSymbol = true;
    m_symbolName = std::move(name);
}

rt::Ref<UIImage> UIImage::copyWith(long renderingMode, UIColor* tint) const
{
    auto copy = create(m_image, m_scale, renderingMode);
    copy->m_orientation = m_orientation;
    copy->m_isSymbol = m_isSymbol;
    copy->m_symbolName = m_symbolName;
    copy->m_tintColor = tint ? tint : m_tintColor.get();
    return copy;
}

CGSize UIImage::size() const
{
    if (!m_image)
        return {};
    return { m_image->width() / m_scale, m_image->height() / m_scale };
}

bool UIImage::isTemplate() const
{
    if (m_tintColor)
        return false;
    return m_renderingMode == UIImageRenderingModeAlwaysTemplate
        || (m_renderingMode == UIImageRenderingModeAutomatic && m_isSymbol);
}

bool isImage(Object* o)
{
    return rt::isKindOf(o, UIImage::classObject());
}
