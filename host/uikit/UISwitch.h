#pragma once

#include "host/uikit/UIControl.h"

// UISwitch: the on/off control, always 51 x 31 points. A tap flips it and sends value changed.
class UISwitch : public UIControl {
public:
    static rt::Class* classObject();

    bool isOn() const { return m_on; }
    void setOn(bool on) { m_on = on; }

    CGSize defaultSizeThatFits(CGSize) const override { return { 51, 31 }; }
    CGSize defaultIntrinsicContentSize() const override { return { 51, 31 }; }
    void simulateTap() override;
    void drawContent(Canvas&, long style) const override;

    bool m_on { false };
    rt::Ref<rt::Object> m_onTintColor;
    rt::Ref<rt::Object> m_thumbTintColor;
};

// UISlider: a value between a minimum and a maximum on a track with a round thumb.
class UISlider : public UIControl {
public:
    static rt::Class* classObject();

    void setValue(float);
    CGSize defaultSizeThatFits(CGSize size) const override { return { size.width, 31 }; }
    CGSize defaultIntrinsicContentSize() const override { return { -1, 31 }; }
    void drawContent(Canvas&, long style) const override;
    // Draws the track and thumb over the first `width` points of the bounds.
    void drawTrack(Canvas&, long style, double width) const;

    float m_value { 0 };
    float m_minimum { 0 };
    float m_maximum { 1 };
    bool m_continuous { true };
    rt::Ref<rt::Object> m_minimumTrackTintColor;
    rt::Ref<rt::Object> m_maximumTrackTintColor;
    rt::Ref<rt::Object> m_thumbTintColor;
};
