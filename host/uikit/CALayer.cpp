#include "host/uikit/CALayer.h"

#include <cmath>

#include "host/imageio/CGImage.h"
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

void registerGeometry(Class* c)
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
    addMethod(
        c, sel("delegate"), +[](Object* s, SEL) -> Object* { return layer(s)->m_view; });
}

void registerCALayerLook(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("cornerRadius"), +[](Object* s, SEL) { return layer(s)->m_cornerRadius; });
    addMethod(
        c, sel("setCornerRadius:"),
        +[](Object* s, SEL, double r) { layer(s)->m_cornerRadius = std::max(0.0, finiteOr(r, 0)); });
    addMethod(
        c, sel("masksToBounds"), +[](Object* s, SEL) { return layer(s)->m_masksToBounds; });
    addMethod(
        c, sel("setMasksToBounds:"), +[](Object* s, SEL, bool m) { layer(s)->m_masksToBounds = m; });
    addMethod(
        c, sel("borderWidth"), +[](Object* s, SEL) { return layer(s)->m_borderWidth; });
    addMethod(
        c, sel("setBorderWidth:"),
        +[](Object* s, SEL, double w) { layer(s)->m_borderWidth = std::max(0.0, finiteOr(w, 0)); });
    addMethod(
        c, sel("borderColor"), +[](Object* s, SEL) -> Object* { return layer(s)->m_borderColor.get(); });
    addMethod(
        c, sel("setBorderColor:"), +[](Object* s, SEL, Object* color) { layer(s)->m_borderColor = colorValue(color); });
    addMethod(
        c, sel("backgroundColor"), +[](Object* s, SEL) -> Object* { return layer(s)->m_backgroundColor.get(); });
    addMethod(
        c, sel("setBackgroundColor:"),
        +[](Object* s, SEL, Object* color) { layer(s)->m_backgroundColor = colorValue(color); });
    addMethod(
        c, sel("opacity"), +[](Object* s, SEL) { return static_cast<float>(layer(s)->m_opacity); });
    addMethod(
        c, sel("setOpacity:"),
        +[](Object* s, SEL, float o) { layer(s)->m_opacity = std::clamp(finiteOr(o, 1), 0.0, 1.0); });
    addMethod(
        c, sel("maskedCorners"), +[](Object* s, SEL) { return layer(s)->m_maskedCorners; });
    addMethod(
        c, sel("setMaskedCorners:"), +[](Object* s, SEL, unsigned long m) { layer(s)->m_maskedCorners = m & 15; });
    addMethod(
        c, sel("setCornerCurve:"), +[](Object*, SEL, Object*) {});
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

void registerContents(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("contents"), +[](Object* s, SEL) -> Object* { return layer(s)->m_contents.get(); });
    addMethod(
        c, sel("setContents:"), +[](Object* s, SEL, Object* contents) {
            layer(s)->m_contents = isKindOf(contents, CGImage::runtimeClass()) ? contents : nullptr;
        });
    addMethod(
        c, sel("setNeedsDisplay"), +[](Object* s, SEL) { layer(s)->m_needsDisplay = true; });
    addMethod(
        c, sel("needsDisplay"), +[](Object* s, SEL) { return layer(s)->m_needsDisplay; });
    addMethod(
        c, sel("displayIfNeeded"), +[](Object* s, SEL) { layer(s)->displayIfNeeded(); });
}

}

Class* CALayer::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<CALayer>("CALayer", rt::rootClass());
        registerGeometry(c);
        registerCALayerLook(c);
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
