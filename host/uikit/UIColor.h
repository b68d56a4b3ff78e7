#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "host/render/Color.h"
#include "host/runtime/Runtime.h"

// UIColor: a fixed colour, or a dynamic one with a light and a dark appearance (or a provider
// block) resolved against a trait collection. The named system colours (+labelColor,
// +tableCellGroupedBackgroundColor, ...) are shared objects that answer their name to
// _systemColorName; every other colour answers nil.
class UIColor final : public rt::Object {
public:
    static rt::Class* classObject();

    static rt::Ref<UIColor> create(RGBAColor);
    static rt::Ref<UIColor> createDynamic(RGBAColor light, RGBAColor dark);
    // "RRGGBB" or "RRGGBBAA", upper or lower case, with an optional leading "#". Nothing for
    // anything else.
    static std::optional<RGBAColor> parseHex(std::string_view);
    static rt::Ref<UIColor> fromHex(std::string_view);
    // A shared named system colour (borrowed; it lives for the process), or null for an unknown
    // name. Names are the class methods' selectors: "labelColor", "systemBlueColor", ...
    static UIColor* systemColor(std::string_view name);

    // The colour as it appears under an interface style (1 light, 2 dark; anything else light).
    RGBAColor resolved(long style) const;
    // The colour under the current trait collection.
    RGBAColor resolvedForCurrentTraits() const;
    bool isDynamic() const { return m_dynamic || m_provider; }
    const std::string& systemName() const { return m_systemName; }

private:
    static void registerClassMethods(rt::Class*);
    static void registerInitializers(rt::Class*);
    static void registerMethods(rt::Class*);
    // The colour under a style, `depth` providers deep.
    RGBAColor resolved(long style, int depth) const;
    RGBAColor resolvedByProvider(long style, int depth) const;

    RGBAColor m_light;
    RGBAColor m_dark;
    bool m_dynamic { false };
    rt::Ref<rt::Object> m_provider; // a block UIColor*(UITraitCollection*), or null
    std::string m_systemName;
};

// CGColorRef: a resolved colour as an object, what layers hold for their border and background.
class CGColor final : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<CGColor> create(RGBAColor);

    RGBAColor color() const { return m_color; }

private:
    RGBAColor m_color;
};

// The resolved colour of a UIColor (or CGColor) object under a style; clear for anything else.
RGBAColor resolveColorObject(rt::Object*, long style);
bool isColor(rt::Object*);
