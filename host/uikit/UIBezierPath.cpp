#include "host/uikit/UIBezierPath.h"

#include <cmath>

#include "host/render/Canvas.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIGraphics.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UIBezierPath* bezier(Object* o)
{
    return static_cast<UIBezierPath*>(o);
}

Object* make(Path path)
{
    return rt::autorelease(UIBezierPath::create(std::move(path)));
}

bool finite(CGRect r)
{
    return std::isfinite(r.origin.x + r.origin.y + r.size.width + r.size.height);
}

void registerUIBezierPathFactories(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("bezierPath"), +[](Class*, SEL) { return make({}); });
    addClassMethod(
        c, sel("bezierPathWithRect:"),
        +[](Class*, SEL, CGRect r) { return make(finite(r) ? Path::rect(r) : Path {}); });
    addClassMethod(
        c, sel("bezierPathWithOvalInRect:"),
        +[](Class*, SEL, CGRect r) { return make(finite(r) ? Path::ellipse(r) : Path {}); });
    addClassMethod(
        c, sel("bezierPathWithRoundedRect:cornerRadius:"), +[](Class*, SEL, CGRect r, double radius) {
            return make(finite(r) && std::isfinite(radius) ? Path::roundedRect(r, radius) : Path {});
        });
    addClassMethod(
        c, sel("bezierPathWithRoundedRect:byRoundingCorners:cornerRadii:"),
        +[](Class*, SEL, CGRect r, unsigned long corners, CGSize radii) {
            return make(finite(r) && std::isfinite(radii.width)
                    ? Path::roundedRect(r, radii.width, static_cast<unsigned>(corners & 15))
                    : Path {});
        });
}

// -[UIColor setFill], setStroke and set choose the colours of the current destination.
void registerColorSetters()
{
    using namespace rt;
    Class* color = UIColor::classObject();
    addMethod(
        color, sel("setFill"),
        +[](Object* s, SEL) { setCurrentFillColor(static_cast<UIColor*>(s)->resolvedForCurrentTraits()); });
    addMethod(
        color, sel("setStroke"),
        +[](Object* s, SEL) { setCurrentStrokeColor(static_cast<UIColor*>(s)->resolvedForCurrentTraits()); });
    addMethod(
        color, sel("set"), +[](Object* s, SEL) {
            RGBAColor value = static_cast<UIColor*>(s)->resolvedForCurrentTraits();
            setCurrentFillColor(value);
            setCurrentStrokeColor(value);
        });
}

}

Class* UIBezierPath::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIBezierPath>("UIBezierPath", rt::rootClass());
        registerUIBezierPathFactories(c);
        registerMethods(c);
        registerColorSetters();
        return c;
    }();
    return cls;
}

void UIBezierPath::registerMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("moveToPoint:"), +[](Object* s, SEL, CGPoint p) { bezier(s)->m_path.moveTo(p); });
    addMethod(
        c, sel("addLineToPoint:"), +[](Object* s, SEL, CGPoint p) { bezier(s)->m_path.lineTo(p); });
    addMethod(
        c, sel("addCurveToPoint:controlPoint1:controlPoint2:"),
        +[](Object* s, SEL, CGPoint end, CGPoint c1, CGPoint c2) { bezier(s)->m_path.curveTo(c1, c2, end); });
    addMethod(
        c, sel("closePath"), +[](Object* s, SEL) { bezier(s)->m_path.close(); });
    addMethod(
        c, sel("appendPath:"), +[](Object* s, SEL, Object* other) {
            if (auto* o = dynamicCast<UIBezierPath>(other, UIBezierPath::classObject()))
                bezier(s)->m_path.append(o->m_path);
        });
    addMethod(
        c, sel("bounds"), +[](Object* s, SEL) { return bezier(s)->m_path.bounds(); });
    addMethod(
        c, sel("isEmpty"), +[](Object* s, SEL) { return bezier(s)->m_path.isEmpty(); });
    bindGetter<&UIBezierPath::m_lineWidth>(c, "lineWidth");
    bind<&UIBezierPath::setLineWidth>(c, "setLineWidth:");
    addMethod(
        c, sel("addClip"), +[](Object* s, SEL) {
            if (Canvas* canvas = currentGraphicsCanvas())
                canvas->clip(bezier(s)->m_path);
        });
    addMethod(
        c, sel("fill"), +[](Object* s, SEL) {
            if (Canvas* canvas = currentGraphicsCanvas())
                canvas->fill(bezier(s)->m_path, currentFillColor());
        });
    addMethod(
        c, sel("stroke"), +[](Object* s, SEL) {
            if (Canvas* canvas = currentGraphicsCanvas())
                canvas->stroke(bezier(s)->m_path, bezier(s)->m_lineWidth, currentStrokeColor());
        });
}

// A width that is negative or not a number draws as the default, one point.
void UIBezierPath::setLineWidth(double width)
{
    m_lineWidth = std::isfinite(width) && width >= 0 ? width : 1;
}

rt::Ref<UIBezierPath> UIBezierPath::create(Path path)
{
    auto p = rt::adopt(static_cast<UIBezierPath*>(classObject()->allocate()));
    p->m_path = std::move(path);
    return p;
}
