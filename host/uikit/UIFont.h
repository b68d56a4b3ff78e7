#pragma once

#include <string>

#include "host/render/TextStyle.h"
#include "host/runtime/Runtime.h"

// UIFontWeight values, as UIKit defines them.
inline constexpr double UIFontWeightUltraLight = -0.8;
inline constexpr double UIFontWeightThin = -0.6;
inline constexpr double UIFontWeightLight = -0.4;
inline constexpr double UIFontWeightRegular = 0;
inline constexpr double UIFontWeightMedium = 0.23;
inline constexpr double UIFontWeightSemibold = 0.3;
inline constexpr double UIFontWeightBold = 0.4;
inline constexpr double UIFontWeightHeavy = 0.56;
inline constexpr double UIFontWeightBlack = 0.62;

// UIFont: the system font at a size and weight. Drawing maps it to the host's stand-in typeface.
class UIFont final : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<UIFont> create(double pointSize, double weight = UIFontWeightRegular);
    // The font UIKit uses when none is set (17 points, regular).
    static UIFont* defaultFont();

    double pointSize() const { return m_pointSize; }
    double weight() const { return m_weight; }
    std::string fontName() const;
    // The weight on the 100...900 scale of text layout.
    int numericWeight() const;
    // A text style for this font; colour, alignment and lines are the caller's.
    TextStyle textStyle() const;

private:
    double m_pointSize { 17 };
    double m_weight { UIFontWeightRegular };
};
