#pragma once

#include "host/foundation/Geometry.h"
#include "host/runtime/Runtime.h"

class UIView;

// CALayer: the part of a view's look that belongs to its layer: border, corner radius, clipping,
// shadow settings and contents. Every view has exactly one layer; its geometry is the view's.
class CALayer final : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<CALayer> create(UIView* view);

    UIView* view() const { return m_view; }
    // Sends displayLayer: to the view when display was asked for and the view answers it.
    void displayIfNeeded();

    UIView* m_view { nullptr }; // the owning view (its delegate); the view outlives the layer's use
    double m_cornerRadius { 0 };
    bool m_masksToBounds { false };
    double m_borderWidth { 0 };
    rt::Ref<rt::Object> m_borderColor; // a CGColor
    rt::Ref<rt::Object> m_backgroundColor; // a CGColor
    rt::Ref<rt::Object> m_contents; // a CGImage, or null
    double m_opacity { 1 };
    unsigned long m_maskedCorners { 15 };
    double m_shadowOpacity { 0 };
    double m_shadowRadius { 3 };
    CGSize m_shadowOffset { 0, -3 };
    rt::Ref<rt::Object> m_shadowColor;
    bool m_needsDisplay { false };
};
