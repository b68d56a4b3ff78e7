#pragma once

#include "host/uikit/UIControl.h"

class UIColor;

// UISwitch: the on/off control, always 51 x 31 points. A tap flips it and sends value changed.
class UISwitch : public UIControl {
public:
    static rt::Class* classObject();

    bool isOn() const { return m_on; }
    UIColor* onTintColor() const { return m_onTintColor.get(); }

    CGSize defaultSizeThatFits(CGSize) const override { return { 51, 31 }; }
    CGSize defaultIntrinsicContentSize() const override { return { 51, 31 }; }
    void simulateTap() override;
    void drawContent(Canvas&, long style) const override;

private:
    static void registerMethods(rt::Class*);

    bool m_on { false };
    rt::Ref<UIColor> m_onTintColor;
    rt::Ref<UIColor> m_thumbTintColor;
};
