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
    // The owning view lets go of its layer when it dies.
    void detachFromView() { m_view = nullptr; }
    // Sends displayLayer: to the view when display was asked for and the view answers it.
    void displayIfNeeded();
    void setNeedsDisplay() { m_needsDisplay = true; }

    double cornerRadius() const { return m_cornerRadius; }
    // A negative or non-finite radius is taken as none.
    void setCornerRadius(double);
    bool masksToBounds() const { return m_masksToBounds; }
    void setMasksToBounds(bool masks) { m_masksToBounds = masks; }
    double borderWidth() const { return m_borderWidth; }
    rt::Object* borderColor() const { return m_borderColor.get(); } // a CGColor
    rt::Object* backgroundColor() const { return m_backgroundColor.get(); } // a CGColor
    rt::Object* contents() const { return m_contents.get(); } // a CGImage, or null
    double opacity() const { return m_opacity; }
    unsigned long maskedCorners() const { return m_maskedCorners; }
    double shadowOpacity() const { return m_shadowOpacity; }
    CGSize shadowOffset() const { return m_shadowOffset; }
    rt::Object* shadowColor() const { return m_shadowColor.get(); }

private:
    static void registerGeometry(rt::Class*);
    static void registerLook(rt::Class*);
    static void registerShadow(rt::Class*);
    static void registerContents(rt::Class*);

    UIView* m_view { nullptr }; // the owning view (its delegate); the view outlives the layer's use
    double m_cornerRadius { 0 };
    bool m_masksToBounds { false };
    double m_borderWidth { 0 };
    rt::Ref<rt::Object> m_borderColor;
    rt::Ref<rt::Object> m_backgroundColor;
    rt::Ref<rt::Object> m_contents;
    double m_opacity { 1 };
    unsigned long m_maskedCorners { 15 };
    double m_shadowOpacity { 0 };
    double m_shadowRadius { 3 };
    CGSize m_shadowOffset { 0, -3 };
    rt::Ref<rt::Object> m_shadowColor;
    bool m_needsDisplay { false };
};
