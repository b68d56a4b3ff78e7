#include "host/uikit/UIFont.h"

#include <cmath>

#include "host/foundation/String.h"
#include "host/runtime/Bind.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

struct TextStyleEntry {
    const char* name;
    double size;
    double weight;
};

// Dynamic Type's sizes at the default content size.
constexpr TextStyleEntry kTextStyles[] = {
    { "UICTFontTextStyleTitle0", 34, UIFontWeightRegular },
    { "UICTFontTextStyleTitle1", 28, UIFontWeightRegular },
    { "UICTFontTextStyleTitle2", 22, UIFontWeightRegular },
    { "UICTFontTextStyleTitle3", 20, UIFontWeightRegular },
    { "UICTFontTextStyleHeadline", 17, UIFontWeightSemibold },
    { "UICTFontTextStyleBody", 17, UIFontWeightRegular },
    { "UICTFontTextStyleCallout", 16, UIFontWeightRegular },
    { "UICTFontTextStyleSubhead", 15, UIFontWeightRegular },
    { "UICTFontTextStyleFootnote", 13, UIFontWeightRegular },
    { "UICTFontTextStyleCaption1", 12, UIFontWeightRegular },
    { "UICTFontTextStyleCaption2", 11, UIFontWeightRegular },
};

Object* makeFont(double size, double weight)
{
    return rt::autorelease(UIFont::create(size, weight));
}

void registerUIFontMethods(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("systemFontOfSize:"), +[](Class*, SEL, double size) { return makeFont(size, UIFontWeightRegular); });
    addClassMethod(
        c, sel("boldSystemFontOfSize:"), +[](Class*, SEL, double size) { return makeFont(size, UIFontWeightBold); });
    addClassMethod(
        c, sel("italicSystemFontOfSize:"),
        +[](Class*, SEL, double size) { return makeFont(size, UIFontWeightRegular); });
    addClassMethod(
        c, sel("systemFontOfSize:weight:"),
        +[](Class*, SEL, double size, double weight) { return makeFont(size, weight); });
    addClassMethod(
        c, sel("monospacedDigitSystemFontOfSize:weight:"),
        +[](Class*, SEL, double size, double weight) { return makeFont(size, weight); });
    addClassMethod(
        c, sel("preferredFontForTextStyle:"), +[](Class*, SEL, Object* style) {
            std::string name = toStdString(style);
            for (auto& entry : kTextStyles)
                if (name == entry.name)
                    return makeFont(entry.size, entry.weight);
            return makeFont(17, UIFontWeightRegular);
        });
    addClassMethod(
        c, sel("systemFontSize"), +[](Class*, SEL) { return 17.0; });
    addClassMethod(
        c, sel("labelFontSize"), +[](Class*, SEL) { return 17.0; });
    bind<&UIFont::pointSize>(c, "pointSize");
    addMethod(
        c, sel("fontWithSize:"),
        +[](Object* self, SEL, double size) { return makeFont(size, static_cast<UIFont*>(self)->weight()); });
    addMethod(
        c, sel("fontName"), +[](Object* self, SEL) -> Object* { return ns(static_cast<UIFont*>(self)->fontName()); });
    addMethod(
        c, sel("familyName"), +[](Object*, SEL) -> Object* { return ns(".AppleSystemUIFont"); });
    addMethod(
        c, sel("lineHeight"),
        +[](Object* self, SEL) { return std::ceil(static_cast<UIFont*>(self)->pointSize() * 1.2); });
    addMethod(
        c, sel("isEqual:"), +[](Object* self, SEL, Object* other) {
            auto* a = static_cast<UIFont*>(self);
            auto* b = dynamicCast<UIFont>(other, UIFont::classObject());
            return b && a->pointSize() == b->pointSize() && a->weight() == b->weight();
        });
}

}

Class* UIFont::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIFont>("UIFont", rt::rootClass());
        registerUIFontMethods(c);
        return c;
    }();
    return cls;
}

rt::Ref<UIFont> UIFont::create(double pointSize, double weight)
{
    auto font = rt::adopt(static_cast<UIFont*>(classObject()->allocate()));
    font->m_pointSize = std::isfinite(pointSize) && pointSize > 0 ? pointSize : 17;
    font->m_weight = std::isfinite(weight) ? weight : UIFontWeightRegular;
    return font;
}

UIFont* UIFont::defaultFont()
{
    static UIFont* font = [] {
        UIFont* f = create(17).leak();
        f->makeImmortal();
        return f;
    }();
    return font;
}

int UIFont::numericWeight() const
{
    struct Step {
        double weight;
        int numeric;
    };
    static constexpr Step steps[]
        = { { UIFontWeightUltraLight, 100 }, { UIFontWeightThin, 200 }, { UIFontWeightLight, 300 },
              { UIFontWeightRegular, 400 }, { UIFontWeightMedium, 500 }, { UIFontWeightSemibold, 600 },
              { UIFontWeightBold, 700 }, { UIFontWeightHeavy, 800 }, { UIFontWeightBlack, 900 } };
    int best = 400;
    double distance = 1e9;
    for (auto& step : steps) {
        if (std::abs(step.weight - m_weight) < distance) {
            distance = std::abs(step.weight - m_weight);
            best = step.numeric;
        }
    }
    return best;
}

std::string UIFont::fontName() const
{
    switch (numericWeight()) {
    case 500:
        return ".SFUI-Medium";
    case 600:
        return ".SFUI-Semibold";
    case 700:
        return ".SFUI-Bold";
    default:
        return ".SFUI-Regular";
    }
}

TextStyle UIFont::textStyle() const
{
    TextStyle style;
    style.size = m_pointSize;
    style.weight = numericWeight();
    return style;
}
