#pragma once

#include "host/uikit/UIView.h"

// _UIBackdropViewSettings and _UIBackdropView: the private blur Settings uses behind content.
// The renderer has no live blur; a backdrop draws as a translucent wash of its style's tint over
// what lies below (light styles white, dark styles near black), which is how the blur reads.
class UIBackdropViewSettings final : public rt::Object {
public:
    static rt::Class* classObject();
    long m_style { 0 };
};

class UIBackdropView final : public UIView {
public:
    static rt::Class* classObject();

    void drawContent(Canvas&, long style) const override;

    long m_style { 0 };
};
