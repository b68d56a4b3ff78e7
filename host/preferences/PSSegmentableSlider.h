#pragma once

#include "host/uikit/UISlider.h"

class UILabel;

// Preferences' slider: a UISlider that can show its value in a label at its trailing end. The
// label carries the tag 'valu' (1986096245), by which code outside finds it; the track leaves
// room for it.
class PSSegmentableSlider : public UISlider {
public:
    static rt::Class* classObject();
    static constexpr long kValueLabelTag = 1986096245;

    void setShowsValue(bool);
    void updateValueLabel();
    void layoutValueLabel();
    void drawContent(Canvas&, long style) const override;
    bool showsValue() const { return m_valueLabel != nullptr; }

private:
    rt::Ref<UILabel> m_valueLabel;
};
