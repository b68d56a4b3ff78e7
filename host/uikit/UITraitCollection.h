#pragma once

#include "host/runtime/Runtime.h"
#include "host/uikit/UIKitConstants.h"

enum UIUserInterfaceIdiom : long {
    UIUserInterfaceIdiomUnspecified = -1,
    UIUserInterfaceIdiomPhone = 0,
    UIUserInterfaceIdiomPad = 1,
};

// The traits a view or view controller answers: the interface style (light or dark), the display
// scale and the idiom. Trait collections are immutable; those of a given style are shared.
class UITraitCollection final : public rt::Object {
public:
    static rt::Class* classObject();

    // The shared collection of the given style on the main screen (scale and idiom of the device).
    static UITraitCollection* forStyle(long style);
    // The collection code runs under when it asks for "the current traits": set around data source
    // calls and drawing, otherwise the main screen's.
    static UITraitCollection* current();
    static void setCurrent(UITraitCollection*);

    long userInterfaceStyle() const { return m_style; }
    double displayScale() const { return m_scale; }
    long userInterfaceIdiom() const { return m_idiom; }

private:
    long m_style { UIUserInterfaceStyleUnspecified };
    double m_scale { 0 };
    long m_idiom { UIUserInterfaceIdiomUnspecified };
};

// Makes a trait collection current for the life of the scope, as performAsCurrentTraitCollection:
// does, so that dynamic colours resolved inside follow it.
class CurrentTraitScope {
public:
    explicit CurrentTraitScope(UITraitCollection*);
    ~CurrentTraitScope();
    CurrentTraitScope(const CurrentTraitScope&) = delete;
    CurrentTraitScope& operator=(const CurrentTraitScope&) = delete;

private:
    rt::Ref<UITraitCollection> m_previous;
};
