#include "host/uikit/CALayer.h"

#include <cmath>

#include "host/imageio/CGImage.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIView.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

CALayer* layer(Object* o)
{
    return static_cast<CALayer*>(o);
}

// Layers hold CGColors; a UIColor handed over by mistake is taken at its light appearance, so a
// caller's slip shows a colour instead of stopping the process.
rt::Ref<Object> colorValue(Object* value)
{
    if (rt::isKindOf(value, CGColor::classObject()))
        return value;
    if (isColor(value))
        return CGColor::create(static_cast<UIColor*>(value)->resolvedForCurrentTraits());
    return nullptr;
}

double finiteOr(double v, double fallback)
{
    return std::isfinite(v) ? v : fallback;
}

}

Class* CALayer::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<CALayer>("CALayer", rt::rootClass());
        registerGeometry(c);
        registerLook(c);
        registerShadow(c);
        registerContents(c);
        return c;
    }();
    return cls;
}

rt::Ref<CALayer> CALayer::create(UIView* view)
{
    auto l = rt::adopt(static_cast<CALayer*>(classObject()->allocate()));
    l->m_view = view;
    return l;
}

void CALayer::displayIfNeeded()
{
    if (!m_needsDisplay)
        return;
    m_needsDisplay = false;
    static const rt::CallSite displayLayer { "displayLayer:" };
    if (m_view && rt::respondsTo(m_view, displayLayer.sel()))
        rt::send(m_view, displayLayer, static_cast<Object*>(this));
}

void CALayer::setCornerRadius(double radius)
{
    m_cornerRadius = std::max(0.0, finiteOr(radius, 0));
}

void CALayer::registerGeometry(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("frame"), +[](Object* s, SEL) { return layer(s)->m_view ? layer(s)->m_view->frame() : CGRect {}; });
    addMethod(
        c, sel("setFrame:"), +[](Object* s, SEL, CGRect f) {
            if (layer(s)->m_view)
                send(layer(s)->m_view, SELECTOR("setFrame:"), f);
        });
    addMethod(
        c, sel("bounds"), +[](Object* s, SEL) { return layer(s)->m_view ? layer(s)->m_view->bounds() : CGRect {}; });
    addMethod(
        c, sel("position"), +[](Object* s, SEL) { return layer(s)->m_view ? layer(s)->m_view->center() : CGPoint {}; });
    bindReadOnlyProperty<&CALayer::m_view>(c, "delegate");
}

// Sizes and amounts that are not finite, or lie outside what a layer can show, are taken at the
// nearest value a layer can show, as Core Animation does.
void CALayer::registerLook(Class* c)
{
    using namespace rt;
    bindGetter<&CALayer::m_cornerRadius>(c, "cornerRadius");
    bind<&CALayer::setCornerRadius>(c, "setCornerRadius:");
    bindProperty<&CALayer::m_masksToBounds>(c, "masksToBounds");
    bindGetter<&CALayer::m_borderWidth>(c, "borderWidth");
    addMethod(
        c, sel("setBorderWidth:"),
        +[](Object* s, SEL, double w) { layer(s)->m_borderWidth = std::max(0.0, finiteOr(w, 0)); });
    bindGetter<&CALayer::m_borderColor>(c, "borderColor");
    addMethod(
        c, sel("setBorderColor:"), +[](Object* s, SEL, Object* color) { layer(s)->m_borderColor = colorValue(color); });
    bindGetter<&CALayer::m_backgroundColor>(c, "backgroundColor");
    addMethod(
        c, sel("setBackgroundColor:"),
        +[](Object* s, SEL, Object* color) { layer(s)->m_backgroundColor = colorValue(color); });
    addMethod(
        c, sel("opacity"), +[](Object* s, SEL) { return static_cast<float>(layer(s)->m_opacity); });
    addMethod(
        c, sel("setOpacity:"),
        +[](Object* s, SEL, float o) { layer(s)->m_opacity = std::clamp(finiteOr(o, 1), 0.0, 1.0); });
    bindGetter<&CALayer::m_maskedCorners>(c, "maskedCorners");
    addMethod(
        c, sel("setMaskedCorners:"), +[](Object* s, SEL, unsigned long m) { layer(s)->m_maskedCorners = m & 15; });
    addMethod(
        c, sel("setCornerCurve:"), +[](Object*, SEL, Object*) {});
}

void CALayer::registerShadow(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("shadowOpacity"), +[](Object* s, SEL) { return static_cast<float>(layer(s)->m_shadowOpacity); });
    addMethod(
        c, sel("setShadowOpacity:"),
        +[](Object* s, SEL, float o) { layer(s)->m_shadowOpacity = std::clamp(finiteOr(o, 0), 0.0, 1.0); });
    addMethod(
        c, sel("setShadowRadius:"), +[](Object* s, SEL, double r) { layer(s)->m_shadowRadius = finiteOr(r, 3); });
    addMethod(
        c, sel("setShadowOffset:"), +[](Object* s, SEL, CGSize o) { layer(s)->m_shadowOffset = o; });
    addMethod(
        c, sel("setShadowColor:"), +[](Object* s, SEL, Object* color) { layer(s)->m_shadowColor = colorValue(color); });
}

void CALayer::registerContents(Class* c)
{
    using namespace rt;
    bindGetter<&CALayer::m_contents>(c, "contents");
    addMethod(
        c, sel("setContents:"), +[](Object* s, SEL, Object* contents) {
            layer(s)->m_contents = isKindOf(contents, CGImage::runtimeClass()) ? contents : nullptr;
        });
    bind<&CALayer::setNeedsDisplay>(c, "setNeedsDisplay");
    bindReadOnlyProperty<&CALayer::m_needsDisplay>(c, "needsDisplay");
    bind<&CALayer::displayIfNeeded>(c, "displayIfNeeded");
}
