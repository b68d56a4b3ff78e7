#include "host/uikit/UIBackdropView.h"

#include "host/render/Canvas.h"
#include "host/runtime/Bind.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UIBackdropView* backdrop(Object* o)
{
    return static_cast<UIBackdropView*>(o);
}

long styleOf(Object* settings)
{
    auto* s = rt::dynamicCast<UIBackdropViewSettings>(settings, UIBackdropViewSettings::classObject());
    return s ? s->style() : 0;
}

}

void UIBackdropViewSettings::registerMethods(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("settingsForStyle:"), +[](Class*, SEL, long style) -> Object* {
            auto s = adopt(static_cast<UIBackdropViewSettings*>(UIBackdropViewSettings::classObject()->allocate()));
            s->m_style = style;
            return autorelease(std::move(s));
        });
    bindReadOnlyProperty<&UIBackdropViewSettings::m_style>(c, "style");
}

void UIBackdropView::registerMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithSettings:"), +[](Object* s, SEL, Object* settings) -> Object* {
            s = send<Object*>(s, SELECTOR("initWithFrame:"), CGRect {});
            if (s)
                backdrop(s)->transitionToSettings(settings);
            return s;
        });
    addMethod(
        c, sel("initWithFrame:autosizesToFitSuperview:settings:"),
        +[](Object* s, SEL, CGRect frame, bool fit, Object* settings) -> Object* {
            s = send<Object*>(s, SELECTOR("initWithFrame:"), frame);
            if (s) {
                backdrop(s)->transitionToSettings(settings);
                if (fit)
                    backdrop(s)->setAutoresizingMask(
                        UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
            }
            return s;
        });
    bind<&UIBackdropView::transitionToSettings>(c, "transitionToSettings:");
}

void UIBackdropView::transitionToSettings(Object* settings)
{
    m_style = styleOf(settings);
}

Class* UIBackdropViewSettings::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIBackdropViewSettings>("_UIBackdropViewSettings", rt::rootClass());
        registerMethods(c);
        return c;
    }();
    return cls;
}

Class* UIBackdropView::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIBackdropView>("_UIBackdropView", UIView::classObject());
        registerMethods(c);
        return c;
    }();
    return cls;
}

void UIBackdropView::drawContent(Canvas& canvas, long) const
{
    // Styles 1 and 2 (and the 2030 family) are the dark ones; the rest are light. The tint lets
    // the blurred content show through, as the private styles do.
    bool dark = m_style == 1 || m_style == 2 || (m_style >= 2030 && m_style < 2040);
    constexpr double kBlurRadius = 30;
    RGBAColor tint = dark ? RGBAColor { 0.08, 0.08, 0.09, 0.55 } : RGBAColor { 0.97, 0.97, 0.97, 0.6 };
    canvas.blurBehind(bounds(), kBlurRadius);
    canvas.fill(Path::rect(bounds()), tint);
}
