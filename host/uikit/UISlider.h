#pragma once

#include "host/uikit/UIControl.h"

class UIColor;

// UISlider: a value between a minimum and a maximum on a track with a round thumb.
class UISlider : public UIControl {
public:
    static rt::Class* classObject();

    float value() const { return m_value; }
    float minimumValue() const { return m_minimum; }
    float maximumValue() const { return m_maximum; }
    // Out-of-range values show at the nearest end, as UISlider clamps them; a value that is not
    // finite is ignored.
    void setValue(float);
    // Sets both ends at once, the maximum raised to the minimum when it lies below; the value is
    // left for the caller to set.
    void setRange(float minimum, float maximum);

    CGSize defaultSizeThatFits(CGSize size) const override { return { size.width, 31 }; }
    CGSize defaultIntrinsicContentSize() const override { return { -1, 31 }; }
    void drawContent(Canvas&, long style) const override;
    // Draws the track and thumb over the first `width` points of the bounds.
    void drawTrack(Canvas&, long style, double width) const;

private:
    static void registerMethods(rt::Class*);
    void setMinimumValue(float);
    void setMaximumValue(float);

    float m_value { 0 };
    float m_minimum { 0 };
    float m_maximum { 1 };
    bool m_continuous { true };
    rt::Ref<UIColor> m_minimumTrackTintColor;
    rt::Ref<UIColor> m_maximumTrackTintColor;
    rt::Ref<UIColor> m_thumbTintColor;
};
