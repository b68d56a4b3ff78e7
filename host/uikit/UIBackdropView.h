#pragma once

#include "host/uikit/UIView.h"

// _UIBackdropViewSettings and _UIBackdropView: the private blur Settings uses behind content.
// A backdrop blurs what lies below it on the canvas and lays its style's tint over the blur
// (light styles white, dark styles near black).
class UIBackdropViewSettings final : public rt::Object {
public:
    static rt::Class* classObject();

    long style() const { return m_style; }

private:
    static void registerMethods(rt::Class*);

    long m_style { 0 };
};

class UIBackdropView final : public UIView {
public:
    static rt::Class* classObject();

    void drawContent(Canvas&, long style) const override;

    // The style of the settings it was made with or last moved to.
    long style() const { return m_style; }
    // Takes the style of the settings (a _UIBackdropViewSettings; anything else is style 0).
    void transitionToSettings(rt::Object* settings);

private:
    static void registerMethods(rt::Class*);

    long m_style { 0 };
};
