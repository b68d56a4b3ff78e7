#include "host/uikit/UIImageView.h"

#include <algorithm>

#include "host/render/Canvas.h"
#include "host/runtime/Bind.h"
#include "host/uikit/CALayer.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIImage.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UIImageView* imageView(Object* o)
{
    return static_cast<UIImageView*>(o);
}

}

void UIImageView::registerMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithImage:"), +[](Object* s, SEL, Object* img) -> Object* {
            CGSize size = isImage(img) ? static_cast<UIImage*>(img)->size() : CGSize {};
            s = send<Object*>(s, SELECTOR("initWithFrame:"), CGRect { {}, size });
            send(s, SELECTOR("setImage:"), img);
            return s;
        });
    addMethod(
        c, sel("initWithImage:highlightedImage:"), +[](Object* s, SEL, Object* img, Object* highlighted) -> Object* {
            s = send<Object*>(s, SELECTOR("initWithImage:"), img);
            if (s && isImage(highlighted))
                imageView(s)->m_highlightedImage = static_cast<UIImage*>(highlighted);
            return s;
        });
    addMethod(
        c, sel("image"), +[](Object* s, SEL) -> Object* { return imageView(s)->image(); });
    bind<&UIImageView::setImage>(c, "setImage:");
    bindProperty<&UIImageView::m_highlightedImage>(c, "highlightedImage");
    bindProperty<&UIImageView::m_highlighted>(c, { "highlighted", "isHighlighted" });
    // A still image view has nothing to animate.
    addMethod(
        c, sel("startAnimating"), +[](Object*, SEL) {});
    addMethod(
        c, sel("stopAnimating"), +[](Object*, SEL) {});
    addMethod(
        c, sel("isAnimating"), +[](Object*, SEL) { return false; });
}

Class* UIImageView::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIImageView>("UIImageView", UIView::classObject());
        registerMethods(c);
        return c;
    }();
    return cls;
}

void UIImageView::setImage(Object* img)
{
    m_image = isImage(img) ? static_cast<UIImage*>(img) : nullptr;
    if (!translatesAutoresizingMaskIntoConstraints() && superview())
        superview()->setNeedsLayout();
}

CGSize UIImageView::defaultSizeThatFits(CGSize) const
{
    return m_image ? m_image->size() : CGSize {};
}

CGSize UIImageView::defaultIntrinsicContentSize() const
{
    return m_image ? m_image->size() : CGSize { -1, -1 };
}

CGRect imageRectForContentMode(CGRect bounds, CGSize size, long mode)
{
    if (size.width <= 0 || size.height <= 0)
        return bounds;
    switch (mode) {
    case UIViewContentModeScaleAspectFit:
    case UIViewContentModeScaleAspectFill: {
        double sx = bounds.width() / size.width, sy = bounds.height() / size.height;
        double k = mode == UIViewContentModeScaleAspectFit ? std::min(sx, sy) : std::max(sx, sy);
        double w = size.width * k, h = size.height * k;
        return CGRectMake(bounds.midX() - w / 2, bounds.midY() - h / 2, w, h);
    }
    case UIViewContentModeCenter:
        return CGRectMake(bounds.midX() - size.width / 2, bounds.midY() - size.height / 2, size.width, size.height);
    default:
        return bounds;
    }
}

void UIImageView::drawContent(Canvas& canvas, long style) const
{
    // Layer contents, when set, are what shows; the renderer draws them.
    if (layer()->contents())
        return;
    auto* shown = rt::dynamicCast<UIImage>(
        rt::send<Object*>(const_cast<UIImageView*>(this), SELECTOR("image")), UIImage::classObject());
    if (m_highlighted && m_highlightedImage)
        shown = m_highlightedImage.get();
    if (!shown || !shown->cgImage())
        return;
    CGRect rect = imageRectForContentMode(bounds(), shown->size(), contentMode());
    if (shown->isTemplate()) {
        RGBAColor tint = tintColor()->resolved(style);
        canvas.drawImage(*shown->cgImage(), rect, 1, &tint);
        return;
    }
    if (shown->tintColor()) {
        RGBAColor tint = shown->tintColor()->resolved(style);
        canvas.drawImage(*shown->cgImage(), rect, 1, &tint);
        return;
    }
    canvas.drawImage(*shown->cgImage(), rect, 1, nullptr);
}
