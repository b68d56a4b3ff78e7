#include "host/uikit/UISwitch.h"

#include "host/render/Canvas.h"
#include "host/runtime/Bind.h"
#include "host/uikit/ControlDrawing.h"
#include "host/uikit/UIColor.h"

using rt::Class;
using rt::Object;
using rt::SEL;

Class* UISwitch::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UISwitch>("UISwitch", UIControl::classObject());
        registerMethods(c);
        return c;
    }();
    return cls;
}

void UISwitch::registerMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithFrame:"), +[](Object* s, SEL, CGRect f) -> Object* {
            s = sendSuper<Object*>(
                s, UISwitch::classObject(), SELECTOR("initWithFrame:"), CGRect { f.origin, { 51, 31 } });
            return s;
        });
    bindProperty<&UISwitch::m_on>(c, { "on", "isOn" });
    addMethod(
        c, sel("setOn:animated:"), +[](Object* s, SEL, bool on, bool) { send(s, SELECTOR("setOn:"), on); });
    bindProperty<&UISwitch::m_onTintColor>(c, "onTintColor");
    bindProperty<&UISwitch::m_thumbTintColor>(c, "thumbTintColor");
}

void UISwitch::simulateTap()
{
    if (!isEnabled() || isHidden())
        return;
    rt::Ref<UISwitch> keep(this);
    rt::send(this, SELECTOR("setOn:animated:"), !m_on, true);
    sendActionsForControlEvents(UIControlEventValueChanged | UIControlEventPrimaryActionTriggered);
}

void UISwitch::drawContent(Canvas& canvas, long style) const
{
    CGRect track = CGRectMake(0, 0, 51, 31);
    RGBAColor fill = m_on ? resolvedOrSystemColor(m_onTintColor.get(), "systemGreenColor", style)
                          : UIColor::systemColor("secondarySystemFillColor")->resolved(style);
    canvas.fill(Path::roundedRect(track, 15.5), fill);
    CGRect thumb = CGRectMake(m_on ? 22 : 2, 2, 27, 27);
    drawControlThumb(canvas, thumb, resolvedOrSystemColor(m_thumbTintColor.get(), "whiteColor", style));
}
