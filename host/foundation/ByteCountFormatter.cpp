#include "host/foundation/ByteCountFormatter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "host/foundation/String.h"
#include "host/runtime/Bind.h"

using rt::Object;
using rt::SEL;

namespace {

constexpr const char* kUnits[] = { "KB", "MB", "GB", "TB", "PB", "EB" };
constexpr int kUnitCount = sizeof kUnits / sizeof kUnits[0];

int decimalsFor(int unit)
{
    return unit == 0 ? 0 : unit == 1 ? 1 : 2;
}

// Rounds to the unit's decimals and prints without trailing zeros.
std::string printAmount(double amount, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, amount);
    std::string s = text;
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    return s;
}

double roundedTo(double amount, int decimals)
{
    double scale = std::pow(10.0, decimals);
    return std::round(amount * scale) / scale;
}

}

rt::Class* NSByteCountFormatter::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<NSByteCountFormatter>("NSByteCountFormatter", rt::rootClass());
        registerMethods(c);
        return c;
    }();
    return cls;
}

void NSByteCountFormatter::registerMethods(rt::Class* c)
{
    using namespace rt;
    bindProperty<&NSByteCountFormatter::m_countStyle>(c, "countStyle");
    addMethod(
        c, sel("stringFromByteCount:"), +[](Object* s, SEL, long long bytes) -> Object* {
            return ns(NSByteCountFormatter::format(bytes, static_cast<NSByteCountFormatter*>(s)->m_countStyle));
        });
    addClassMethod(
        c, sel("stringFromByteCount:countStyle:"), +[](Class*, SEL, long long bytes, long style) -> Object* {
            return ns(NSByteCountFormatter::format(bytes, style));
        });
}

std::string NSByteCountFormatter::format(int64_t bytes, long countStyle)
{
    if (bytes == 0)
        return "Zero KB";
    const char* sign = bytes < 0 ? "-" : "";
    double magnitude = std::fabs(static_cast<double>(bytes));
    double base = countStyle == Memory || countStyle == Binary ? 1024 : 1000;
    if (magnitude < base)
        return sign + printAmount(magnitude, 0) + (magnitude == 1 ? " byte" : " bytes");
    int unit = 0;
    double amount = magnitude / base;
    // A count that rounds up to a whole next unit reads in that unit ("1 MB", not "1000 KB").
    while (unit + 1 < kUnitCount && roundedTo(amount, decimalsFor(unit)) >= base) {
        amount /= base;
        ++unit;
    }
    return sign + printAmount(amount, decimalsFor(unit)) + " " + kUnits[unit];
}
